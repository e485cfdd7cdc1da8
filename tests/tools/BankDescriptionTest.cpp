// A bank as JSON text: every byte a script stores comes back from the text, faulty text is refused
// with the JSON path of its fault, and the difference of two banks reads as words; and ovbank's
// dump, apply, diff, merge and batch commands as a user runs them.
#include "OvbankRun.h"
#include "bank/NameEdit.h"
#include "support/BankNames.h"
#include "support/TestFiles.h"
#include "tools/BankDiff.h"
#include "tools/DescriptionApply.h"
#include "tools/DescriptionDump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

// Something unusual in every part of the bank a script stores.
void FillOddities(as_bank& bank) {
    as_bank_records& r = bank.records();
    bank.info().set_bank_size(123456789012);
    bank.info().set_bank_path("D:\\Banks\\odd.ovb");
    bank.info().raw[100] = 7;
    r.global.raw[12] = 3;
    SetName(bank.scene(1).name, "Polka");
    bank.scene(1).text2[5] = 'x';
    bank.scene(1).solo = 5000; // past the solo table: kept as it is
    bank.scene(1).rest[10] = 9;
    EditName(bank.solo(2).name, "Clarinet"); // zero padded, as the name editors store it
    bank.solo(2).sound3 = 9999;
    bank.solo(2).sound2_on = 1;
    bank.solo(2).gap[1] = 4;
    std::memcpy(bank.acomp(3).name.data(), "\xe9t\xe9\0\0 ", 6); // not UTF-8, mixed padding
    bank.fbass(4).name.fill('\0');
    bank.chord(999).rest[468] = 0xFF;
    as_sound& s = bank.sound(12);
    EditName(s.name, "Piano+Str");
    s.category = 0x80100001; // Piano, Stereo and a bit without a caption
    s.osc_mode = 200;
    s.params_a[0] = 31;
    s.params_b[207] = 1;
    s.zone[1].ms_and_flags = 3;
    s.zone[1].set_multisample(7);
    s.zone[1].b3 = 1;
    s.zone[1].transpose = 0;
    s.zone[19].set_multisample(16000); // past the multisample table
    as_multisample& m = bank.multisample(7);
    SetName(m.name, "Piano  \xff", '\0');
    std::memcpy(m.comment.data(), "line 1\r\nline 2", 14);
    m.sample[0].set_start_sector(327680);
    m.sample[0].set_stereo(true);
    m.sample[0].placement |= 1u << 30;
    m.sample[0].length_sectors = 65535;
    m.sample[63].params[13] = 0x42;
    bank.path(7, 0) = "D:\\Samples\\Caf\xe9\\C 3.wav"; // a Windows code page byte
    bank.path(7, 1) = "";
    bank.path(7, 2) = "D:\\Samples\\Caf\xc3\xa9\\D 3.wav";
    bank.path(0, 5) = "multisample 0 too";
    r.path_length_table[7 * 64 + 1] = 2;
    r.reserved_b[0] = 1;
    r.reserved_c[sizeof r.reserved_c - 1] = 0xEE;
}

TEST(BankDescription, DumpThenApplyGivesBackEveryStoredByte) {
    auto bank = std::make_unique<as_bank>();
    FillOddities(*bank);
    const std::string text = DumpDescription(*bank);
    auto back = std::make_unique<as_bank>();
    std::string error;
    ASSERT_TRUE(ReadDescription(text, *back, error)) << error;
    ExpectSameBank(*bank, *back);
    EXPECT_EQ(DumpDescription(*back), text);
    // The forms a reader meets: zero padding marked, undecodable bytes as hex, raw links.
    for (const char* part :
         {"\"Clarinet\\u0000\"", "{\"hex\": \"e974e9000020202020", "\"solo\": {\"raw\": 5000}",
          "\"category\": [\"Piano\", \"Stereo\", \"bit31\"]", "\"5\": \"multisample 0 too\""})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(BankDescription, FaultyTextIsRefusedWithItsJsonPath) {
    const std::string head = "{\"format\": \"ovbank bank description 1\", ";
    struct Case {
        std::string text, fault;
    };
    const Case cases[] = {
        {head + "\"sounds\": {\"0001\": {\"name\": \"x\"}", "/sounds: malformed JSON"},
        {"[1]", "/: expected an object"},
        {"{\"sounds\": {}}", "/format: missing"},
        {"{\"format\": \"something else\"}", "/format: expected \"ovbank bank description 1\""},
        {head + "\"tempo\": 1}", "/tempo: unknown key"},
        {head + "\"sounds\": {\"0001\": {\"nam\": \"x\"}}}", "/sounds/0001/nam: unknown key"},
        {head + "\"sounds\": {\"0001\": {\"zones\": {\"2\": {\"volume\": 300}}}}}",
         "/sounds/0001/zones/2/volume: 300 is out of range 0..255"},
        {head + "\"sounds\": {\"0001\": {\"zones\": {\"21\": {}}}}}",
         "/sounds/0001/zones/21: not a zone number (1..20)"},
        {head + "\"sounds\": {\"0001\": {\"name\": \"Seventeen letters\"}}}",
         "/sounds/0001/name: 17 bytes are too long for the 16 the field holds"},
        {head + "\"sounds\": {\"10000\": {}}}", "/sounds/10000: sound 10000 is past the table"},
        {head + "\"scenes\": {\"001\": {\"solo\": 1000}}}",
         "/scenes/001/solo: 1000 is past the solo table (0..999)"},
        {head + "\"sounds\": {\"0001\": {}, \"1\": {}}}", "/sounds/1: given twice"},
        {head + "\"sounds\": {\"0001\": {\"bytes\": {\"16\": \"01\"}}}}",
         "/sounds/0001/bytes/16: these bytes belong to named fields"},
        {head + "\"global_parameter\": {\"2047\": \"0102\"}}",
         "/global_parameter/2047: 2 bytes from here run past the end"},
        {head + "\"sounds\": {\"0001\": {\"category\": [\"Polka\"]}}}",
         "/sounds/0001/category: unknown category \"Polka\""},
        {head + "\"multisamples\": {\"0001\": {\"slots\": {\"0\": 5}}}}",
         "/multisamples/0001/slots/0: expected a path or an object"},
        {head + "\"multisamples\": {\"0001\": {\"name\": {\"hex\": \"4g\"}}}}",
         "/multisamples/0001/name: expected text or {\"hex\""},
    };
    auto bank = std::make_unique<as_bank>();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        EXPECT_FALSE(ReadDescription(c.text, *bank, error));
        EXPECT_EQ(error.substr(0, c.fault.size()), c.fault) << error;
    }
    // A refused text leaves a reset bank, whose description is its format line alone.
    EXPECT_EQ(DumpDescription(*bank), "{\n  \"format\": \"ovbank bank description 1\"\n}\n");
}

TEST(BankDescription, DifferencesReadAsWords) {
    struct Case {
        const char* what;
        std::function<void(as_bank&)> change;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"zone",
         [](as_bank& b) {
             b.sound(12).zone[1].set_multisample(7);
             b.sound(12).zone[1].velocity_high = 100;
             b.sound(12).zone[2].transpose = 52;
         },
         {"sound 0012 'Piano+Str': zone 2 multisample 0003 -> 0007; velocity 000..127 -> "
          "000..100; zone 3 transpose +0 -> -12"}},
        {"names and groups",
         [](as_bank& b) {
             SetName(b.sound(12).name, "Piano+Str");
             b.sound(12).category = 0x100000;
             SetName(b.scene(2).name, "Waltz");
         },
         {"scene 002 '- - -': name '- - -' -> 'Waltz'",
          "sound 0012 'Piano+Str': name 'Piano+Str\\0' -> 'Piano+Str'; category Piano -> Stereo"}},
        {"paths and device bytes",
         [](as_bank& b) {
             b.path(3, 5) = "D:\\New.wav";
             b.sound(12).params_a[23] = 90;
             b.records().global.raw[12] = 3;
         },
         {"global_parameter: byte 12: 02 -> 03", "sound 0012 'Piano+Str': byte 44: 64 -> 5a",
          "multisample 0003 'Piano': slot 5 path 'D:\\Old.wav' -> 'D:\\New.wav'"}},
    };
    auto a = std::make_unique<as_bank>();
    EditName(a->sound(12).name, "Piano+Str");
    a->sound(12).category = 1;
    a->sound(12).zone[1].set_multisample(3);
    SetName(a->multisample(3).name, "Piano");
    a->path(3, 5) = "D:\\Old.wav";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto b = std::make_unique<as_bank>();
        std::string error;
        ASSERT_TRUE(ReadDescription(DumpDescription(*a), *b, error)) << error;
        c.change(*b);
        EXPECT_EQ(DiffBanks(*a, *b), c.lines);
    }
}

const fs::path kDemo = fs::path(OVB_DEMO_DIR);

class DescriptionCli : public ::testing::Test {
  protected:
    OvbankRun Ovbank(const std::vector<std::string>& args) { return RunOvbank(dir.path(), args); }
    std::string In(const char* name) { return (dir / name).string(); }
    TempDir dir;
};

TEST_F(DescriptionCli, DumpApplyIsTheScriptOfTheBankFile) {
    const std::string bank = (kDemo / "Demo.ovb").string();
    ASSERT_EQ(Ovbank({"dump", bank, In("d.json")}).exit, 0);
    EXPECT_EQ(Ovbank({"dump", bank}).out, FileText(dir / "d.json"));
    ASSERT_EQ(Ovbank({"apply", In("d.json"), In("a.ovs")}).exit, 0);
    ASSERT_EQ(Ovbank({"script", bank, In("s.ovs")}).exit, 0);
    EXPECT_TRUE(ReadAll(dir / "a.ovs") == ReadAll(dir / "s.ovs"));

    WriteAll(dir / "bad.json", {'{', '}'});
    OvbankRun refused = Ovbank({"apply", In("bad.json"), In("b.ovs")});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_NE(refused.err.find("bad.json: /format: missing"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir / "b.ovs"));
    EXPECT_EQ(Ovbank({"apply", In("d.json"), In("b.ovb")}).exit, 2);
}

TEST_F(DescriptionCli, DiffExitsZeroOneOrTwoAndMergeWritesALoadableScript) {
    const std::string script = (kDemo / "Demo.ovs").string();
    EXPECT_EQ(Ovbank({"diff", script, (kDemo / "Demo.ovb").string()}).out,
              "bank_file_info: bank path '" + script + "' -> '" + (kDemo / "Demo.ovb").string() +
                  "'\n");
    EXPECT_EQ(Ovbank({"diff", script, script}).exit, 0);
    EXPECT_EQ(Ovbank({"diff", script, In("missing.ovs")}).exit, 2);

    OvbankRun merged = Ovbank({"merge", script, script, In("m.ovs")});
    EXPECT_EQ(merged.exit, 0) << merged.err;
    EXPECT_NE(merged.out.find("sound 0001 'Demo Piano' -> 0006"), std::string::npos);
    OvbankRun diff = Ovbank({"diff", script, In("m.ovs")});
    EXPECT_EQ(diff.exit, 1);
    EXPECT_NE(diff.out.find("sound 0006 '- - -': name '- - -' -> 'Demo Piano'"), std::string::npos);
}

TEST_F(DescriptionCli, BatchJobsShowTheWindowsReportsAndSaveWithYes) {
    const std::string json =
        R"({"format": "ovbank bank description 1",
            "sounds": {"0001": {"name": "Lonely", "category": ["Stereo"],
                                "zones": {"1": {"multisample": 2}}}},
            "multisamples": {"0002": {"name": "Used", "slots": {"0": "D:\\used.wav"}},
                             "0003": {"name": "Unused", "slots": {"0": "D:\\unused.wav"}}}})";
    WriteAll(dir / "t.json", std::vector<std::uint8_t>(json.begin(), json.end()));
    ASSERT_EQ(Ovbank({"apply", In("t.json"), In("t.ovs")}).exit, 0);
    const std::string t = In("t.ovs");
    struct Step {
        std::vector<std::string> args;
        int exit;
        std::string shown; // part of the merged output
    };
    const Step steps[] = {
        {{"--yes", "remove-unused", t}, 0, "MS0003  Unused"},
        {{"--yes", "where-multisample", t, "2"}, 0, "Sound: 0001: Lonely"},
        {{"--yes", "where-sound", t, "1"}, 0, "This sound is not used in any set-up!"},
        {{"--yes", "fix-stereo", t}, 0, "Sound: 0001: Lonely           is REMOVED from STEREO"},
        {{"--yes", "no-group", t}, 1, "Sound 0001 [ Lonely           ]"},
        {{"--yes", "replace-path", t, "D:\\", "E:\\"}, 0, "Info: 1 paths changed."},
        {{"--yes", "replace-path", t, "E:", ""}, 2, "two non-empty texts"},
        {{"replace-path", t, "E:", "F:"}, 1, "The changed bank was not saved."},
        {{"--yes", "where-sound", t, "10000"}, 2, "not a number from 0 to 9999"},
        {{"--yes", "dump", t}, 0, R"("0": "E:\\used.wav")"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.args[1] + " " + s.args.back());
        OvbankRun r = RunOvbank(dir.path(), s.args, true);
        EXPECT_EQ(r.exit, s.exit) << r.out;
        EXPECT_NE(r.out.find(s.shown), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("unused.wav"), std::string::npos) << r.out;
    }
}

} // namespace
