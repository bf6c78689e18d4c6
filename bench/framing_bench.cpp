// Framing throughput: 64 MiB of 1 KiB packets and one 1 MiB packet, each
// arriving in 4 KiB reads, beside a plain memmem scan of the same reads for
// the end marker. Prints both rates and the ratio.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "zmx/net/framing.h"

namespace {

constexpr size_t kRead = 4096;

// Wire bytes of packets of about `packet_size` bytes (mixed Korean and
// ASCII in UTF-8) until the stream holds `total` bytes.
std::string MakeStream(size_t packet_size, size_t total) {
  Packet p(6003);
  for (int i = 0; p.GetText().size() + 64 < packet_size; ++i)
    p.AddString("F" + std::to_string(i % 10), "005930|삼성전자|" + std::to_string(i) + "|71,500");
  const std::string wire = p.ToUtf8();
  std::string stream;
  stream.reserve(total + wire.size());
  while (stream.size() < total) stream += wire;
  return stream;
}

const std::string& Stream(int which) {
  static const std::string many = MakeStream(1 << 10, 64 << 20), one = MakeStream(1 << 20, 1);
  return which == 0 ? many : one;
}

void Label(benchmark::State& state) { state.SetLabel(state.range(0) == 0 ? "1KiB packets" : "1MiB packet"); }

void BM_Framing(benchmark::State& state) {
  const std::string& s = Stream(state.range(0));
  size_t packets = 0;
  for (auto _ : state) {
    zm::net::FrameBuffer buf;
    for (size_t at = 0; at < s.size(); at += kRead) {
      buf.Append(std::string_view(s).substr(at, kRead));
      while (auto p = buf.ExtractPacket()) {
        benchmark::DoNotOptimize(p->GetText().data());
        ++packets;
      }
      buf.EnforceLimit();
    }
  }
  benchmark::DoNotOptimize(packets);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size()));
  Label(state);
}

// The floor: look at every byte once for "</PKT>", read by read.
void BM_MemmemScan(benchmark::State& state) {
  const std::string& s = Stream(state.range(0));
  size_t found = 0;
  for (auto _ : state) {
    for (size_t at = 0; at < s.size(); at += kRead) {
      const char* p = s.data() + at;
      const char* end = s.data() + std::min(s.size(), at + kRead + 5);
      while (const void* hit = memmem(p, end - p, "</PKT>", 6)) {
        ++found;
        p = static_cast<const char*>(hit) + 6;
      }
    }
  }
  benchmark::DoNotOptimize(found);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size()));
  Label(state);
}

// Of the framing's cost, the share of turning frames into ANSI text.
void BM_WireToText(benchmark::State& state) {
  const std::string& s = Stream(state.range(0));
  const size_t frame = s.find('\0') + 1;
  for (auto _ : state)
    for (size_t at = 0; at + frame <= s.size(); at += frame)
      benchmark::DoNotOptimize(zm::WireToText(std::string_view(s).substr(at, frame - 1)));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(s.size()));
  state.SetLabel(state.range(0) == 0 ? "1KiB packets, conversion only" : "1MiB packet, conversion only");
}

BENCHMARK(BM_Framing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WireToText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemmemScan)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The ratio of the two rates, printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration) continue;
      const double rate = r.counters.count("bytes_per_second") ? double(r.counters.at("bytes_per_second")) : 0;
      if (r.benchmark_name().starts_with("BM_Framing")) framing_[r.report_label] = rate;
      if (r.benchmark_name().starts_with("BM_MemmemScan")) scan_[r.report_label] = rate;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [label, rate] : framing_) {
      const double scan = scan_[label];
      std::printf("%-14s framing %8.1f MiB/s, memmem %8.1f MiB/s, framing/memmem %.3f\n", label.c_str(),
                  rate / (1 << 20), scan / (1 << 20), scan > 0 ? rate / scan : 0);
    }
  }

 private:
  std::map<std::string, double> framing_, scan_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
