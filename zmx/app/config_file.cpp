#include "zmx/app/config_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "packet/text_search.h"

namespace zm {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::string ConfigFilePath(std::string_view dir) {
  std::string path(dir);
  path += kPathSeparator;
  path += kConfigFileName;
  return path;
}

std::vector<unsigned char> EncryptText(const CRijndael& cipher, std::string_view text) {
  const size_t block = CRijndael::kBlockSize;
  std::vector<unsigned char> data(text.size() - text.size() % block + block, 0);
  std::copy(text.begin(), text.end(), data.begin());
  cipher.EncryptBuffer(data.data(), data.data(), data.size());
  return data;
}

std::string DecryptText(const CRijndael& cipher, std::span<const unsigned char> bytes) {
  std::string plain(bytes.size(), '\0');
  auto* out = reinterpret_cast<unsigned char*>(plain.data());
  cipher.DecryptBuffer(bytes.data(), out, bytes.size());
  // Our own files always end in a zero; a foreign one may hold none.
  if (const size_t end = plain.find('\0'); end != std::string::npos) plain.resize(end);
  return plain;
}

bool ApplyConfigBytes(const CRijndael& cipher, std::span<const unsigned char> bytes, Packet& record) {
  // A short or ragged file is not ours (or is damaged): ignore it like any
  // other unreadable one rather than let the cipher refuse it.
  if (bytes.size() <= kConfigMinSize || bytes.size() % CRijndael::kBlockSize != 0) return false;
  std::string text;
  try {
    text = DecryptText(cipher, bytes);
  } catch (const RijndaelError&) {
    return false;
  }
  if (text.empty() || FindText<char>(text, "</PKT>") == std::string_view::npos) return false;
  record.SetText(text);
  return true;
}

void LoadConfig(const CRijndael& cipher, std::string_view dir, Packet* record) {
  if (!record) return;
  const std::string path = ConfigFilePath(dir);
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    record->SetText("<PKT></PKT>");
    return;
  }
  std::vector<unsigned char> buffer(kConfigReadLimit);
  const size_t n = std::fread(buffer.data(), 1, buffer.size(), file.get());
  file.reset();
  ApplyConfigBytes(cipher, std::span(buffer.data(), n), *record);
}

bool SaveConfig(const CRijndael& cipher, std::string_view dir, const Packet* record) {
  if (!record || !cipher.IsKeySet()) return false;
  // Enciphered before the file is opened, so a failure leaves the old file.
  const std::vector<unsigned char> data = EncryptText(cipher, record->GetText());
  const std::string path = ConfigFilePath(dir);
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  const bool written = std::fwrite(data.data(), 1, data.size(), file.get()) == data.size();
  const bool flushed = std::fflush(file.get()) == 0;
  return std::fclose(file.release()) == 0 && written && flushed;
}

}  // namespace zm
