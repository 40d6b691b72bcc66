#include "records/frame_scanner.h"
#include "support/recording_scroll.h"
#include "support/ring_writer.h"
#include "emulator/timer_record.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TimerRecordBytes Numbered(std::uint8_t seed)
{
    TimerRecordBytes r;
    for (std::size_t k = 0; k < r.size(); ++k)
        r[k] = static_cast<std::uint8_t>(seed + k * 7);
    return r;
}

struct Scan {
    ReceiveRing ring;
    RecordTableState store;
    RecordingScroll scroll;
    void run() { ScanReceiveRing(ring, store, scroll); }
};

void AppendFrame(ReceiveRing& ring, int count, int record, const TimerRecordBytes& bytes)
{
    const auto f = EncodeFrame(static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(record), bytes);
    AppendToRing(ring, {f.begin(), f.end()});
}

// The record's bytes, its bib digits above 9 filed as 0.
void ExpectRowHolds(const RecordRow& row, const TimerRecordBytes& record)
{
    for (int n = 0; n < 31; ++n) {
        const int sent = record[static_cast<std::size_t>(n)];
        const bool bibDigit = n >= RecordField::BibDigits && n < RecordField::BibDigits + 3;
        EXPECT_EQ(row[static_cast<std::size_t>(n)], bibDigit && sent > 9 ? 0 : sent) << "field " << n;
    }
}

void FillRecord(Scan& s, std::uint8_t record)
{
    AppendFrame(s.ring, record, record, Numbered(record));
    s.run();
}

TEST(ScanReceiveRing, FrameWrappingPast511IsFiledAndConsumed)
{
    Scan s;
    const auto record = Numbered(3);
    PlaceInRing(s.ring, 500, EncodeFrame(9, 4, record));
    ASSERT_EQ(s.ring.bytes[24], 0x67);
    ASSERT_EQ(s.ring.bytes[25], 0x68);
    s.run();
    ExpectRowHolds(s.store.RecordTable[4], record);
    EXPECT_EQ(s.store.ReportedRecordCount, 9);
    EXPECT_EQ(s.store.RecordCount, 4);
    EXPECT_EQ(s.store.FiledFrameCount, 1);
    EXPECT_TRUE(std::all_of(s.ring.bytes.begin(), s.ring.bytes.end(), [](auto b) { return b == 0; }));
}

TEST(ScanReceiveRing, FrameInTwoPiecesIsFiledOnceAfterTheSecond)
{
    Scan s;
    const auto frame = EncodeFrame(1, 1, Numbered(11));
    AppendToRing(s.ring, std::vector<std::uint8_t>(frame.begin(), frame.begin() + 20));
    s.run();
    EXPECT_EQ(s.store.FiledFrameCount, 0);
    AppendToRing(s.ring, std::vector<std::uint8_t>(frame.begin() + 20, frame.end()));
    s.run();
    s.run();
    EXPECT_EQ(s.store.FiledFrameCount, 1);
    ExpectRowHolds(s.store.RecordTable[1], Numbered(11));
}

TEST(ScanReceiveRing, FramesAreFiledInOrderOfStartPosition)
{
    Scan s;
    PlaceInRing(s.ring, 480, EncodeFrame(20, 2, Numbered(1)));  // wraps to 5
    PlaceInRing(s.ring, 6, EncodeFrame(30, 3, Numbered(2)));
    s.run();
    EXPECT_EQ(s.store.FiledFrameCount, 2);
    EXPECT_EQ(s.store.ReportedRecordCount, 20);
}

TEST(ScanReceiveRing, ScrollRangeFollowsTheHighestRecord)
{
    struct Case {
        int record;
        int maximum;
    };
    for (const Case c : {Case{1, 0}, Case{30, 0}, Case{31, 0}, Case{32, 1}, Case{255, 224}}) {
        Scan s;
        AppendFrame(s.ring, 1, c.record, Numbered(0));
        s.run();
        ASSERT_EQ(s.scroll.maximumCalls.size(), 1u) << c.record;
        EXPECT_EQ(s.scroll.maximumCalls.back(), c.maximum) << c.record;
        EXPECT_EQ(s.scroll.valueCalls.back(), c.maximum) << c.record;
        EXPECT_EQ(s.scroll.value(), c.maximum) << c.record;
    }
}

TEST(ScanReceiveRing, OnlyANewHighestRecordMovesTheScrollBar)
{
    Scan s;
    for (std::uint8_t r : {5, 3, 9}) {
        AppendFrame(s.ring, 9, r, Numbered(r));
    }
    s.run();
    EXPECT_EQ(s.store.RecordCount, 9);
    // One move for the scan, to the highest record it filed.
    EXPECT_EQ(s.scroll.maximumCalls.size(), 1u);
    EXPECT_EQ(s.scroll.valueCalls.size(), 1u);
    AppendFrame(s.ring, 9, 4, Numbered(4));
    s.run();
    EXPECT_EQ(s.scroll.valueCalls.size(), 1u);
}

// Frames are found in ring order: a newer frame that wrapped to the start of
// the ring is found before an older one near its end. The redraw the newer
// one's scroll move causes must not show the older one's line empty.
TEST(ScanReceiveRing, TheRedrawSeesEveryRecordTheScanFiles)
{
    Scan s;
    for (std::uint8_t r = 1; r <= 45; ++r)
        FillRecord(s, r);
    PlaceInRing(s.ring, 470, EncodeFrame(48, 46, Numbered(46))); // runs on to 3
    PlaceInRing(s.ring, 4, EncodeFrame(48, 47, Numbered(47)));
    std::vector<int> emptyRowsShown;
    s.scroll.onValueChanged = [&](int value) {
        for (int n = value + 1; n <= value + VisibleRecordRows; ++n)
            if (s.store.rowIsEmpty(n))
                emptyRowsShown.push_back(n);
    };
    s.run();
    EXPECT_EQ(s.store.RecordCount, 47);
    EXPECT_TRUE(emptyRowsShown.empty()) << "record " << emptyRowsShown.front() << " shown empty";
    ExpectRowHolds(s.store.RecordTable[46], Numbered(46));
}

TEST(ScanReceiveRing, ReplacedRecordKeepsItsMarkAndCountsBothFrames)
{
    Scan s;
    AppendFrame(s.ring, 7, 7, Numbered(1));
    s.run();
    s.store.RecordTable[7][RecordField::MarkState] = 2;
    AppendFrame(s.ring, 7, 7, Numbered(50));
    s.run();
    ExpectRowHolds(s.store.RecordTable[7], Numbered(50));
    EXPECT_EQ(s.store.RecordTable[7][RecordField::MarkState], 2);
    EXPECT_EQ(s.store.FiledFrameCount, 2);
}

TEST(ScanReceiveRing, RecordZeroFillsRowZeroWithoutRaisingTheCount)
{
    Scan s;
    AppendFrame(s.ring, 12, 0, Numbered(5));
    s.run();
    ExpectRowHolds(s.store.RecordTable[0], Numbered(5));
    EXPECT_EQ(s.store.RecordCount, 0);
    EXPECT_EQ(s.store.ReportedRecordCount, 12);
    EXPECT_TRUE(s.scroll.maximumCalls.empty());
}

TEST(ScanReceiveRing, RecordByte31IsNeverStored)
{
    Scan s;
    auto record = Numbered(0);
    record[31] = 0xAA;
    s.store.RecordTable[2][RecordField::MarkState] = 1;
    AppendFrame(s.ring, 2, 2, record);
    s.run();
    EXPECT_EQ(s.store.RecordTable[2][RecordField::MarkState], 1);
}

TEST(ScanReceiveRing, StartMarkersWithoutEndMarkersStayInTheRing)
{
    Scan s;
    PlaceInRing(s.ring, 510, std::vector<std::uint8_t>{0x65, 0x66, 1, 1});
    s.run();
    EXPECT_EQ(s.store.FiledFrameCount, 0);
    EXPECT_EQ(s.ring.bytes[510], 0x65);
    EXPECT_EQ(s.ring.bytes[511], 0x66);
    EXPECT_EQ(s.ring.bytes[0], 1);
}

// Frame 2 comes without its "ef" and frame 3 is cut short, so frame 16's
// "ef" lands one lap later right before frame 2's leftover "gh". Markers
// alone would file record 16 with record 2's bytes and lose the real one.
TEST(ScanReceiveRing, AStartMarkerOverAnOldLapsLeftoversIsNoFrame)
{
    std::vector<std::uint8_t> stream;
    auto add = [&](int record, std::size_t from, std::size_t to) {
        const auto f = EncodeFrame(16, static_cast<std::uint8_t>(record), Numbered(static_cast<std::uint8_t>(record)));
        stream.insert(stream.end(), f.begin() + static_cast<long>(from), f.begin() + static_cast<long>(to));
    };
    add(1, 0, 38);
    add(2, 2, 38);
    add(3, 0, 18);
    for (int r = 4; r <= 16; ++r)
        add(r, 0, 38);
    ASSERT_EQ(stream.size() - 38, 548u); // frame 16 starts 512 bytes after the leftover frame's start

    Scan s;
    for (std::size_t at = 0; at < 548; at += 38) {
        AppendToRing(s.ring, {stream.begin() + static_cast<long>(at), stream.begin() + static_cast<long>(std::min<std::size_t>(at + 38, 548))});
        s.run();
    }
    // A scan just after frame 16's number came, when the leftover "gh" still lies ahead.
    AppendToRing(s.ring, {stream.begin() + 548, stream.begin() + 552});
    s.run();
    AppendToRing(s.ring, {stream.begin() + 552, stream.end()});
    s.run();

    ExpectRowHolds(s.store.RecordTable[16], Numbered(16));
    EXPECT_TRUE(s.store.rowIsEmpty(2));
    EXPECT_TRUE(s.store.rowIsEmpty(3));
    EXPECT_EQ(s.store.FiledFrameCount, 14);
}

TEST(ScanReceiveRing, AFrameCutOffBeforeTheRingWasClearedIsNeverCompleted)
{
    Scan s;
    const auto frame = EncodeFrame(1, 1, Numbered(11));
    AppendToRing(s.ring, {frame.begin(), frame.begin() + 20});
    s.ring.clear();
    AppendToRing(s.ring, {frame.begin() + 20, frame.end()});
    s.run();
    EXPECT_EQ(s.store.FiledFrameCount, 0);
    AppendToRing(s.ring, {frame.begin(), frame.end()});
    s.run();
    EXPECT_EQ(s.store.FiledFrameCount, 1);
}

TEST(ScanReceiveRing, TheRedrawForANewHighestRecordSeesItFiled)
{
    Scan s;
    std::vector<int> seen;
    // What the redraw would show on the last line: the newest record's byte 3.
    s.scroll.onValueChanged = [&](int) { seen.push_back(s.store.RecordTable[s.store.RecordCount][3]); };
    for (std::uint8_t r = 1; r <= 33; ++r) {
        AppendFrame(s.ring, 33, r, Numbered(r));
        s.run();
    }
    // The value changes for records 32 and 33 only, each already in its row.
    EXPECT_EQ(seen, (std::vector<int>{Numbered(32)[3], Numbered(33)[3]}));
}

TEST(ScanReceiveRing, FrameForARecordMovedByASortLandsInItsOwnRow)
{
    Scan s;
    for (std::uint8_t r = 1; r <= 3; ++r) {
        AppendFrame(s.ring, 3, r, Numbered(r));
    }
    s.run();
    s.store.RecordTable[1][RecordField::MarkState] = 1;
    std::swap(s.store.RecordTable[1], s.store.RecordTable[3]); // as a sort would

    AppendFrame(s.ring, 3, 1, Numbered(100));
    s.run();

    ExpectRowHolds(s.store.RecordTable[3], Numbered(100));
    EXPECT_EQ(s.store.RecordTable[3][RecordField::Sequence], 1);
    EXPECT_EQ(s.store.RecordTable[3][RecordField::MarkState], 1);
    ExpectRowHolds(s.store.RecordTable[1], Numbered(3));
    EXPECT_EQ(s.store.RecordTable[1][RecordField::Sequence], 3);
}

TEST(RecordTableState, ClearKeepsSequenceNumbersAndResetRestoresThem)
{
    RecordTableState store;
    EXPECT_EQ(store.RecordTable[200][RecordField::Sequence], 200);
    std::swap(store.RecordTable[4], store.RecordTable[9]);
    store.RecordTable[4][RecordField::MarkState] = 2;
    store.RecordTable[4][RecordField::StartTime] = 7;
    store.clearRecords();
    EXPECT_TRUE(store.rowIsEmpty(4));
    EXPECT_EQ(store.RecordTable[4][RecordField::Sequence], 9);
    store.resetSequenceNumbers();
    EXPECT_EQ(store.RecordTable[4][RecordField::Sequence], 4);
    EXPECT_EQ(store.rowOfRecord(9), 9);
}

} // namespace
