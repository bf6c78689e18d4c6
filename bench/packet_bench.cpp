// Packet operations on packets of about 1 KiB, 64 KiB and 1 MiB of mixed
// Korean and ASCII text, beside a plain memmem over the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "packet/packet.h"

namespace {

// Fields of stock rows until the text reaches `size` bytes; the last field is LAST.
Packet MakePacket(size_t size) {
  Packet p(1003);
  for (int i = 0; p.GetText().size() < size; ++i)
    p.AddString("F" + std::to_string(i), "005930|삼성전자|" + std::to_string(i * 7) + "|71,500");
  p.AddString("LAST", "끝");
  return p;
}

const Packet& Cached(size_t size) {
  static const Packet small = MakePacket(1 << 10), medium = MakePacket(64 << 10), large = MakePacket(1 << 20);
  return size <= (1 << 10) ? small : size <= (64 << 10) ? medium : large;
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20);
}

void BM_GetStringLast(benchmark::State& state) {
  const Packet& p = Cached(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(p.GetString("LAST", ""));
  state.SetBytesProcessed(int64_t(state.iterations()) * p.GetText().size());
}

void BM_MemmemLast(benchmark::State& state) {
  const std::string& t = Cached(state.range(0)).GetText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(memmem(t.data(), t.size(), "<LAST>", 6));
    benchmark::DoNotOptimize(memmem(t.data(), t.size(), "</LAST>", 7));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * t.size());
}

void BM_SetString(benchmark::State& state) {
  Packet p = Cached(state.range(0));
  for (auto _ : state) p.SetString("F1", "000660|SK하이닉스|3|128,000");
  state.SetBytesProcessed(int64_t(state.iterations()) * p.GetText().size());
}

void BM_RemoveField(benchmark::State& state) {
  const Packet& base = Cached(state.range(0));
  for (auto _ : state) {
    Packet p = base;
    p.RemoveField("F2");
    benchmark::DoNotOptimize(p.GetText().data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * base.GetText().size());
}

void BM_ToUtf8(benchmark::State& state) {
  const Packet& p = Cached(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(p.ToUtf8());
  state.SetBytesProcessed(int64_t(state.iterations()) * p.GetText().size());
}

void BM_WireToText(benchmark::State& state) {
  const std::string wire = Cached(state.range(0)).ToUtf8();
  const std::string_view frame(wire.data(), wire.size() - 1);
  for (auto _ : state) benchmark::DoNotOptimize(zm::WireToText(frame));
  state.SetBytesProcessed(int64_t(state.iterations()) * frame.size());
}

BENCHMARK(BM_GetStringLast)->Apply(Sizes);
BENCHMARK(BM_MemmemLast)->Apply(Sizes);
BENCHMARK(BM_SetString)->Apply(Sizes);
BENCHMARK(BM_RemoveField)->Apply(Sizes);
BENCHMARK(BM_ToUtf8)->Apply(Sizes);
BENCHMARK(BM_WireToText)->Apply(Sizes);

}  // namespace
