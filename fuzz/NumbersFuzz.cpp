// The list reader (numbers and texts in any mix), the number forms of list input and of
// the dialog boxes, and the written forms of a Single.
#include <cstring>
#include <sstream>

#include "FuzzSupport.h"
#include "core/NumberForms.h"
#include "core/Single.h"
#include "history/HistoryChecks.h"

using namespace karmo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const uint8_t pattern = in.take();
    const std::string text(in.rest());

    // Items read as numbers or texts as the pattern says, to the end or the first error.
    std::istringstream stream(text);
    ListReader r(stream);
    try {
        double v = 0;
        std::string t;
        for (unsigned i = 0;; ++i) {
            const bool more = (pattern >> (i % 8)) & 1u ? r.readNumber(v) : r.readString(t);
            if (!more) break;
            fuzz::check(t.size() <= (size_t{1} << 20), "a text item within its bound");
        }
        fuzz::check(r.atEnd(), "no item left at the end");
    } catch (const ListInputError&) {
    }

    // A number of list input, once stored as a Single, is written in a form that reads back
    // to a Single within the seventh digit; written again, that one reads back unchanged (a
    // Single does not always hold the 7-digit decimal closest to it, so one round may move it).
    if (const std::optional<double> v = ParseListNumber(text)) {
        if (const std::optional<float> f = ToSingle(*v)) {
            const std::optional<double> back = ParseListNumber(ShortNumber(*f));
            fuzz::check(back.has_value(), "a written Single is a list number");
            const std::optional<float> again = ToSingle(*back);
            fuzz::check(again.has_value(), "a written Single fits a Single");
            fuzz::check(std::fabs(*again - *f) <= 1e-6f * std::fabs(*f), "a written Single within 7 digits");
            const std::optional<double> twice = ParseListNumber(ShortNumber(*again));
            fuzz::check(twice && ToSingle(*twice) == again, "a Single read back is written stable");
            (void)PrintNumber(*f);
            (void)FormatMask(*f, "###0.0##");
            (void)FormatMask(*f, "#.0#e+##");
        }
    }
    double box = 0;
    if (ParseNumericText(text, box)) fuzz::check(std::isfinite(box), "a box value is finite");

    // Any bytes for a mask and a value: no crash, no unbounded output.
    if (text.size() >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, text.data(), sizeof value);
        const std::string mask = text.substr(sizeof value, 32);
        fuzz::check(FormatMask(value, mask).size() < 4096, "a bounded mask output");
    }
    return 0;
}
