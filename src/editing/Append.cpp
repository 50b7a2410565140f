#include "editing/Append.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "core/NumberForms.h"
#include "core/Single.h"
#include "editing/EditCommon.h"
#include "history/Extremes.h"
#include "history/HistoryFile.h"

namespace karmo {

namespace {

// Values reserved before any has been read: the header's count is only a claim.
constexpr size_t kReserveCap = size_t{1} << 20;


struct WrongData {};

}  // namespace

std::string AppendTitle(const AppState& s) { return "Append " + s.QuantityName + "History"; }

bool ReadAppendFile(const AppState& s, Prompter& p, const std::string& path, AppendHistory& out) {
    const std::string title = AppendTitle(s);
    auto fail = [&](const std::string& text) {
        p.ask(Prompt{title, text, Icon::Exclamation, Buttons::Ok, 0});
        return false;
    };
    BusyScope busy(p);
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(std::strerror(errno != 0 ? errno : ENOENT));

    AppendHistory a;
    try {
        ListReader list(in);
        std::string rawTitle;
        double claimed = 0, recordTime = 0;
        if (!list.readString(rawTitle) || !list.readNumber(claimed) || !list.readNumber(recordTime))
            throw WrongData{};
        if (!(claimed >= 3) || claimed >= 2147483647.5) throw WrongData{};
        const int32_t count = RoundHalfEven(claimed);
        const auto time = ToSingle(recordTime);
        if (!time) throw WrongData{};
        a.AppendTitle = CutTitle(Cp1252ToUtf8(rawTitle));
        a.AppendRecordTime = *time;
        a.AppendValues.reserve(std::min<size_t>(static_cast<size_t>(count), kReserveCap) + 1);
        a.AppendValues.push_back(0.0f);
        double item = 0;
        while (static_cast<int64_t>(a.AppendValues.size()) <= count && list.readNumber(item)) {
            const auto v = ToSingle(item);
            if (!v) throw WrongData{};
            a.AppendValues.push_back(*v);
        }
        if (in.bad()) return fail(std::strerror(errno != 0 ? errno : EIO));
        a.AppendCount = static_cast<int32_t>(a.AppendValues.size()) - 1;
        if (a.AppendCount < 3) throw WrongData{};
        if (a.AppendCount < count &&
            p.ask(Prompt{title, "Can read " + std::to_string(a.AppendCount) + " data points only.\nContinue?",
                         Icon::Question, Buttons::YesNo, 0}) != Answer::Yes)
            return false;
    } catch (const WrongData&) {
        return fail("Sorry, Wrong Data...");
    } catch (const ListInputError&) {
        return fail("Sorry, Wrong Data...");
    } catch (const std::bad_alloc&) {
        return fail(std::strerror(ENOMEM));
    }
    a.MaxValue = a.MinValue = a.AppendValues[1];
    MergeExtremes(a.AppendValues.data() + 1, static_cast<size_t>(a.AppendCount), a.MaxValue, a.MinValue);
    out = std::move(a);
    return true;
}

bool AskAppend(const AppState& s, Prompter& p) {
    return p.ask(Prompt{AppendTitle(s), "Append the " + s.QuantityName + "History?", Icon::Question,
                        Buttons::YesNo, 0}) == Answer::Yes;
}

bool ApplyAppend(AppState& s, Prompter& p, const AppendHistory& a) {
    DataBatch& b = s.batch();
    const std::string title = AppendTitle(s);
    const int32_t n = std::clamp<int32_t>(b.PointCount, 0, static_cast<int32_t>(s.Values.size()) - 1);
    const int32_t m = std::clamp<int32_t>(a.AppendCount, 0, static_cast<int32_t>(a.AppendValues.size()) - 1);
    if (static_cast<int64_t>(n) + m > INT32_MAX - 2) {
        p.ask(Prompt{title, "The number of data points is out of range", Icon::Exclamation, Buttons::Ok, 0});
        return false;
    }
    const float recordTime = b.RecordTime + a.AppendRecordTime;
    if (!IsFiniteSingle(recordTime)) {
        p.ask(Prompt{title, "The record time is out of range", Icon::Exclamation, Buttons::Ok, 0});
        return false;
    }
    try {
        s.Values.resize(static_cast<size_t>(n) + m + 2);
    } catch (const std::bad_alloc&) {
        p.ask(Prompt{title, std::strerror(ENOMEM), Icon::Exclamation, Buttons::Ok, 0});
        return false;
    }
    std::copy_n(a.AppendValues.begin() + 1, m, s.Values.begin() + n + 1);
    s.Values[static_cast<size_t>(n) + m + 1] = 0.0f;
    b.PointCount = n + m;
    s.ProcessedCount = b.PointCount;
    s.HistoryModified = true;
    // The history changed, so a spectrum built before no longer belongs to it.
    s.SpectrumRebuilt = false;
    RecomputeExtremes(s);
    b.RecordTime = recordTime;
    return true;
}

}  // namespace karmo
