// Throughput of the framing and the line formatting. The unit delivers at
// most about 7,000 bytes a second; the "bytes_per_second" counter of the scan
// says how many times over the framing keeps up with that.
#include "records/frame_scanner.h"
#include "presentation/format_state.h"
#include "presentation/record_line.h"
#include "emulator/timer_record.h"

#include <benchmark/benchmark.h>

namespace {

// A range with no view behind it: the framing alone is measured.
class PlainScrollRange : public ScrollRange {
public:
    void setMaximum(int maximum) override { max_ = maximum; }
    void setValue(int value) override { value_ = value; }
    int maximum() const override { return max_; }
    int value() const override { return value_; }

private:
    int max_ = 0;
    int value_ = 0;
};

ReceiveRing RingWithSevenFrames()
{
    ReceiveRing ring;
    for (int r = 1; r <= 7; ++r) {
        const auto f = EncodeFrame(7, static_cast<std::uint8_t>(r),
                                   MakeTimerRecord({.start = 1000u * r, .finish = 90000u + 777u * r, .bib = r}));
        for (auto b : f)
            ring.append(b);
    }
    return ring;
}

void BM_ScanSevenFrames(benchmark::State& state)
{
    const ReceiveRing prepared = RingWithSevenFrames();
    RecordTableState store;
    PlainScrollRange scroll;
    for (auto _ : state) {
        ReceiveRing ring = prepared; // the scan consumes what it files
        ScanReceiveRing(ring, store, scroll);
        benchmark::DoNotOptimize(store.RecordTable[7][1]);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 7 * FrameLength);
    state.counters["x_unit_rate"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * 7 * FrameLength / 7000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScanSevenFrames);

void BM_ScanEmptyRing(benchmark::State& state)
{
    ReceiveRing ring;
    RecordTableState store;
    PlainScrollRange scroll;
    for (auto _ : state) {
        ScanReceiveRing(ring, store, scroll);
        benchmark::DoNotOptimize(ring.bytes[0]);
    }
}
BENCHMARK(BM_ScanEmptyRing);

void BM_FormatRecordLine(benchmark::State& state)
{
    RecordTableState store;
    FormatState format;
    format.TimeDisplayMode = static_cast<TimeDisplay>(state.range(0));
    const auto rec = MakeTimerRecord({.start = 1000, .split1 = 20000, .split2 = 40000, .split3 = 60000,
                                      .finish = 99999, .dayOffset = 36000000, .bib = 123, .dnf = true});
    for (int n = 0; n < 31; ++n)
        store.RecordTable[1][static_cast<std::size_t>(n)] = rec[static_cast<std::size_t>(n)];
    for (auto _ : state) {
        const RecordLine line = FormatRecordLine(format, store, 1);
        benchmark::DoNotOptimize(line.Split3.data());
    }
}
BENCHMARK(BM_FormatRecordLine)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
