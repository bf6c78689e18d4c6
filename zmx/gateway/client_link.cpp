// The link with the client program: requests arriving by WM_COPYDATA, packets
// and events going back in chunks, the client window found again by its
// title, and the exit handshake.
#include <algorithm>
#include <new>
#include <string_view>
#include <vector>

#include "zmx/gateway/gateway_core.h"

bool CGatewayCore::OnCopyData(WindowHandle sender, std::uintptr_t dwData, const void* data, std::size_t size) {
  if (dwData != CD_PACKET) return false;
  // Exactly the bytes given, and none when there is no buffer; the packet's
  // text then ends at the first NUL.
  std::string_view bytes;
  if (data && size) bytes = std::string_view(static_cast<const char*>(data), size);
  auto packet = std::make_unique<Packet>(bytes);
  m_hClientWnd = sender;  // the last sender is the one that receives
  OnClientPacket(packet.release(), sender);
  return true;
}

std::int32_t CGatewayCore::SendToClient(const Packet& packet) { return Deliver(packet, CD_PACKET); }

std::int32_t CGatewayCore::SendEventToClient(const Packet& packet) { return Deliver(packet, CD_EVENT); }

std::int32_t CGatewayCore::Deliver(const Packet& packet, std::uintptr_t dwData) {
  // One whole delivery under the lock, so deliveries never interleave.
  Guard guard(m_lock);
  std::int32_t result = -1;
  if (m_bClosed) return result;
  WindowHandle client = m_hClientWnd;
  if (client == kNoWindow) return result;
  if (!m_host.IsWindowAlive(client)) {
    // The client window has gone: find it again by its title and deliver
    // there; without such a window the packet is dropped.
    client = m_host.FindWindowByTitle(kClientWindowTitle);
    if (client == kNoWindow) return result;
    m_hClientWnd = client;
  }
  // The text plus one NUL, in chunks of at most kChunkSize bytes.
  const std::string& text = packet.GetText();
  const std::string_view bytes(text.c_str(), text.size() + 1);
  for (size_t at = 0; at < bytes.size(); at += kChunkSize) {
    const size_t length = std::min(kChunkSize, bytes.size() - at);
    try {
      std::vector<char> buffer(length + 1, '\0');
      std::copy_n(bytes.data() + at, length, buffer.data());
      result = static_cast<std::int32_t>(
          m_host.SendCopyData(client, dwData, buffer.data(), static_cast<std::uint32_t>(length)));
    } catch (const std::bad_alloc&) {
      // This chunk is skipped; the next one starts where it ended.
    }
    m_host.SleepMs(1);
  }
  return result;
}

void CGatewayCore::RequestExit() {
  const WindowHandle client = m_hClientWnd;
  if (client != kNoWindow && m_host.IsWindowAlive(client)) {
    m_host.SendCloseRequest(client);  // the client decides; the gateway stays open
    return;
  }
  if (m_host.ShowMessageBox("주마로-모의투자 접속을 종료하시겠습니까?", IGatewayHost::kBoxOkCancel) ==
      IGatewayHost::kAnswerOk)
    m_host.PostCloseToFrame();
}
