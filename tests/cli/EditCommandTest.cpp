#include <filesystem>

#include "CliTestSupport.h"

namespace karmo::test {
namespace {

std::string sixFile(const std::vector<std::string>& values, const std::string& time) {
    std::string t = "\"six\"\r\n" + std::to_string(values.size()) + "\r\n" + time + "\r\n";
    for (const auto& v : values) t += v + "\r\n";
    return t;
}

const std::string kRecordTime = "Stress History: 2 data points have been removed. Reduce proportionally the record time?\n";

// six.txt is 0, 10, 2, 8, 4, 6 over 1 minute; the edits run in the order given.
TEST(EditCommand, EditsInTheOrderGiven) {
    TempDir dir;
    const std::string out = dir.str() + "/karhs.1", six = CliData("six.txt");
    struct Case {
        std::vector<std::string> edits;
        std::string expected, err = "";
    };
    const Case cases[] = {
        {{"--rescale", "-1,0"}, sixFile({"0", "-10", "-2", "-8", "-4", "-6", "0"}, "1")},
        {{"--rescale=2,-10", "--smooth", "0"}, sixFile({"-10", "10", "-6", "6", "-2", "2", "-10"}, "1")},
        {{"--set", "4=9.5"}, sixFile({"0", "10", "2", "9.5", "4", "6", "0"}, "1"),
         "Stress History: The History has been changed. Refresh the display?\n"},
        {{"--cut", "3-4"}, sixFile({"0", "10", "4", "6", "0"}, ".6666667"), kRecordTime},
        {{"--cut", "3-4", "--no"}, sixFile({"0", "10", "4", "6", "0"}, "1"), kRecordTime},
        {{"--cut-band", "1-6:7..9"}, sixFile({"0", "10", "2", "6", "0"}, ".6666667"),
         "Check Stress History: The Stress History has conflicting values at Stress index 5 Remove the conflict?\n"
         "Check Stress History: Remove all conflicts in the Stress History data?\n" + kRecordTime},
        {{"--append", six, "--cut", "7-12"}, sixFile({"0", "10", "2", "8", "4", "6", "0"}, "1"),
         "Append Stress History: Append the Stress History?\n"
         "Stress History: 6 data points have been removed. Reduce proportionally the record time?\n"},
        {{"--cut", "5-6", "--append", six}, sixFile({"0", "10", "2", "8", "0", "10", "2", "8", "4", "6", "0"}, "1.666667"),
         kRecordTime + "Append Stress History: Append the Stress History?\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edits[0]);
        std::vector<std::string> args = {"edit", six, "-o", out};
        args.insert(args.end(), c.edits.begin(), c.edits.end());
        const CliRun r = RunKarmoCli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(dir.read("karhs.1"), c.expected);
        EXPECT_EQ(r.out, out + ": " + std::to_string(LineCount(c.expected) - 4) + " points\n");
    }
    const CliRun j = RunKarmoCli({"edit", six, "--rescale", "2,0", "-o", out, "--json"});
    EXPECT_EQ(j.out, "{\"history\":{\"title\":\"six\",\"points\":6,\"max\":20,\"min\":0,\"recordTime\":1,"
                     "\"quantity\":\"Stress\"},\"messages\":[]}\n");
}

// A refused edit writes nothing and exits 1 with the dialog's message.
TEST(EditCommand, RefusedEditsWriteNothing) {
    TempDir dir;
    dir.write("two", "\"two\"\r\n2\r\n1\r\n1\r\n5\r\n");
    const std::string out = dir.str() + "/out", six = CliData("six.txt");
    const auto edit = [&](std::vector<std::string> edits) {
        edits.insert(edits.begin(), {"edit", six, "-o", out});
        return edits;
    };
    ExpectRuns({
        {edit({"--append", dir.str() + "/two"}), 1, "Append Stress History: Sorry, Wrong Data...\n"},
        {edit({"--rescale", "x,0"}), 1, "Rescale Stress History: The Rescale factor must be numeric\n"},
        {edit({"--rescale", "1e38,0"}), 1, "Rescale Stress History: The rescaled Stress History is out of range\n"},
        {edit({"--cut", "0-2"}), 1, "Subtract Stress History: The 'From Point' must be greater than 0!\n"},
        {edit({"--cut", "1-6"}), 1,
         "Subtract Stress History: The minimum No of Points is 4. Would you like to delete the whole history?\n"
         "karmo-cli: --cut 1-6 leaves no history\n"},
        {edit({"--cut", "1-6", "--no"}), 1,
         "Subtract Stress History: The minimum No of Points is 4. Would you like to delete the whole history?\n"},
        {edit({"--smooth", "100"}), 1, "Smooth Stress History: Gate must be smaller than 100\n"},
        {edit({"--set", "7=1"}), 1, "karmo-cli: --set 7=1: there is no point 7\n"},
        {edit({"--rescale", "2"}), 2, "karmo-cli: --rescale takes FACTOR,OFFSET\n", "", true},
        {edit({"--cut", "7"}), 2, "karmo-cli: --cut takes FROM-TO\n", "", true},
        {edit({"--cut-band", "1-3:5"}), 2, "karmo-cli: --cut-band takes FROM-TO:LOW..HIGH\n", "", true},
        {edit({"--cut-band", "1-3:-1e39..0"}), 2, "karmo-cli: --cut-band -1e39..0 is out of range\n", "", true},
        {{"edit", six}, 2, "karmo-cli: edit needs -o OUT\n", "", true},
    });
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace karmo::test
