// The memory answer cut into records: whatever pieces the answer arrives in, the records are those of the
// whole answer.
#include "FuzzData.h"

#include "link/RecordCutter.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzData in(data, size);
    // Up to 15 cut points, each a step of 0 to 255 characters.
    const int cuts = in.byte() % 16;
    std::vector<int> steps;
    for (int i = 0; i < cuts; ++i)
        steps.push_back(in.byte());
    const QString answer = in.rest();

    static instrument::RecordCutter whole;
    static instrument::RecordCutter pieces;
    whole.reset();
    whole.cut(answer);

    pieces.reset();
    QString received;
    qsizetype pos = 0;
    for (int step : steps) {
        const qsizetype n = std::min<qsizetype>(step, answer.size() - pos);
        received += QStringView(answer).mid(pos, n);
        pos += n;
        pieces.cut(received);
    }
    received += QStringView(answer).mid(pos);
    pieces.cut(received);

    fuzz::check(pieces.records() == whole.records(), "same records");
    fuzz::check(pieces.overflow() == whole.overflow() && pieces.skipped() == whole.skipped(), "same counts");
    fuzz::check(int(whole.records().size()) <= instrument::RecordCutter::kMaxRecords, "at most 5000 records");
    for (const QString& r : whole.records())
        fuzz::check(!r.contains(QLatin1String("\r\n")), "one line per record");
    return 0;
}
