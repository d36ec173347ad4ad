// What every module command says against what the module holds afterwards, with one fault at
// each of its exchanges in turn, and the faults that used to leave the two apart: an
// interrupted reset, a lost password confirmation, records a read cannot decode, a module
// that goes quiet; the backup a write takes first. In-process on one virtual clock; the
// module's memory is a file.
#include "cli/module_session.h"
#include "cli/text_escape.h"
#include "commands/backup_before_write.h"
#include "commands/connection_monitor.h"
#include "commands/password_commands.h"
#include "commands/read_module.h"
#include "commands/verify_module.h"
#include "commands/write_module.h"
#include "files/card_file_v9.h"
#include "files/user_data_folder.h"
#include "i18n/catalogue.h"
#include "i18n/message_slots.h"
#include "link/sim_fixture.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace korv::test {
namespace {

constexpr char kImage[] = "image_cards=1/0/11,1/0/12,1/7/13,2/9/14,2/9/15,3/200/16,3/201/17,"
                          "4/0/18,4/255/268435455,1/1/20,1/1/21,1/1/22,1/2/23,1/3/24,1/4/25,"
                          "2/0/26,2/1/27,2/2/28,2/3/29,2/4/30,2/5/31,2/6/32,3/0/33,3/1/34,"
                          "3/2/35,3/3/36,3/4/37,4/1/38,4/2/39,4/3/40";

class ModuleFaults : public SimLibraryTest {
protected:
    // A fresh module of the kind, holding kImage unless other lines say otherwise; one
    // fault-free tick has found it.
    ModuleContext& Fresh(const std::string& lines = "") {
        SetLanguageIndex(English);
        memoryPath = dir + "/memory.bin";
        std::filesystem::remove(memoryPath);
        state = AppState{};
        ui = ScriptedUi{};
        moduleLines = "kind=M\n" + std::string(kImage) + "\n" + lines;
        context_.emplace(ModuleContext{state, ui, Port(Ini(""))});
        CheckConnection(*context_);
        return *context_;
    }
    // The same module, from now on with these faults. The processing time only changes the
    // text, so the simulator takes it as a new configuration with fresh fault counts.
    void Inject(const std::string& faults) { Configure(Ini(faults)); }
    std::string Ini(const std::string& faults) {
        return "[module]\nmemory=" + memoryPath + "\ndelay=" + std::to_string(++configs) + "\n" +
               moduleLines + "\n[faults]\n" + faults + "\n";
    }
    int Byte(int page, int k) {
        return static_cast<unsigned char>(ReadFile(memoryPath).at(page * 64 + k));
    }
    // The module's cards as its memory holds them, decoded here and not by the program.
    std::vector<std::string> ModuleCards() {
        const std::string m = ReadFile(memoryPath);
        const auto b = [&](std::size_t i) { return static_cast<unsigned char>(m.at(i)); };
        std::vector<std::string> cards;
        // An erased count (FF FF) claims more records than the memory has.
        for (int c = 0; c < std::min(b(60) * 256 + b(61), MaxCards); ++c) {
            const std::size_t r = c / 12 * 64 + c % 12 * 5;
            const unsigned number = b(r) | b(r + 1) << 8 | b(r + 2) << 16 | (b(r + 3) >> 4) << 24;
            cards.push_back(std::to_string(b(r + 3) & 7) + "/" + std::to_string(b(r + 4)) + "/" +
                            std::to_string(number) + (b(r + 3) & 8 ? "+" : ""));
        }
        return cards;
    }
    static std::vector<std::string> Cards(const TTablica& t) {
        std::vector<std::string> cards;
        t.ForEachCard([&](int z, int a, int, const TKarta& k) {
            cards.push_back(std::to_string(z) + "/" + std::to_string(a) + "/" + k.numer +
                            (k.B1 ? "+" : ""));
        });
        return cards;
    }
    static TTablica Register(int cards) {
        TTablica t;
        for (int c = 0; c < cards; ++c)
            t.AddCard(1 + c % 4, c * 5 % 256, {std::to_string(1000 + c), c % 2 == 0, ""});
        return t;
    }
    int Asked(const std::string& mode) const {
        return static_cast<int>(
            std::count(ui.events.begin(), ui.events.end(), "AskPassword " + mode));
    }
    std::string LastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back().text; }

    AppState state;
    ScriptedUi ui;
    std::string memoryPath, moduleLines;
    int configs = 0;
    std::optional<ModuleContext> context_;
};

// Each command's exchanges, as the simulator names its faults.
struct Step {
    std::string command;
    std::vector<std::string> requests;
};

TEST_F(ModuleFaults, OneFaultAtAnyExchangeOfAnyCommandStillEndsInTheTruth) {
    const std::vector<Step> steps = {
        {"tick", {"identify", "read.0"}},
        {"read", {"identify", "count", "read.0", "read.1", "read.2"}},
        {"write", {"identify", "write.0", "write.1", "write.2", "write.3"}},
        {"verify", {"identify", "count", "read.0", "read.1", "read.2"}},
        {"password", {"identify", "read.0", "write.0"}},
        {"reset", {"identify", "read.0", "reset", "write.0", "write.1"}},
    };
    for (const auto& step : steps)
        for (const auto& request : step.requests)
            for (std::string fault : {"silent", "slow 400", "short", "badcheck", "status"}) {
                if (request == "reset" && fault == "slow 400")
                    fault = "slow 14000"; // later than the reset's own 13 s wait
                const std::string spec = request + "=" + fault + " x1";
                SCOPED_TRACE(step.command + ": " + spec);
                auto& ctx = Fresh();
                ASSERT_TRUE(state.connection.PasswordAccepted());
                const std::vector<std::string> held = ModuleCards();
                Inject(spec);
                if (step.command == "tick") {
                    CheckConnection(ctx);
                    // A lost identify costs one tick of "not connected", never a refusal.
                    const bool identified =
                        state.connection.view.outcome == LinkOutcome::CurrentModule;
                    EXPECT_EQ(state.connection.PasswordAccepted(), identified);
                    EXPECT_TRUE(identified || request == "identify");
                    EXPECT_EQ(Asked("entry"), 0);
                } else if (step.command == "read") {
                    const ReadOutcome r = ReadModule(ctx);
                    EXPECT_TRUE(r.Complete());
                    EXPECT_EQ(Cards(state.tablica), held);
                } else if (step.command == "write") {
                    state.tablica = Register(40);
                    state.NeedSave = true;
                    EXPECT_TRUE(WriteModule(ctx).Complete());
                    EXPECT_EQ(ModuleCards(), Cards(state.tablica));
                    EXPECT_FALSE(state.NeedSave);
                    EXPECT_EQ(Byte(0, 62), 0x51);
                } else if (step.command == "verify") {
                    Inject("");
                    ReadModule(ctx);
                    Inject(spec);
                    EXPECT_TRUE(VerifyModule(ctx).Matches());
                    EXPECT_EQ(LastBox(), "Verification succeeded!");
                } else if (step.command == "password") {
                    state.connection.Edit_haslo = "1111";
                    EXPECT_EQ(WriteInstallerPassword(ctx), PasswordWriteResult::Saved);
                    EXPECT_EQ(LastBox(), "Password has been saved to the module!");
                    EXPECT_EQ(Byte(0, 62), 0x11);
                    EXPECT_EQ(Byte(0, 63), 0x11);
                    EXPECT_EQ(ModuleCards(), held);
                } else if (fault == "status" && request == "reset") {
                    // Refused: the module is as it was, and that is what is said.
                    const std::string image = ReadFile(memoryPath);
                    ui.boxAnswers = {IdYes};
                    EXPECT_EQ(ResetModuleMemory(ctx), ResetResult::NotDone);
                    EXPECT_EQ(ReadFile(memoryPath), image);
                } else {
                    ui.boxAnswers = {IdYes};
                    EXPECT_EQ(ResetModuleMemory(ctx), ResetResult::Done);
                    EXPECT_EQ(LastBox(), "Module reset succeeded");
                    EXPECT_TRUE(ModuleCards().empty());
                    EXPECT_EQ(Byte(0, 0), 0xFF);
                    EXPECT_EQ(Byte(0, 62), 0x51);
                    EXPECT_EQ(Byte(0, 63), 0x72);
                    EXPECT_EQ(Byte(1, 60), 4);
                    EXPECT_EQ(Byte(1, 62), 0);
                }
            }
}

TEST_F(ModuleFaults, AResetOrPasswordWriteThatCannotFinishSaysWhatTheModuleHolds) {
    // Refused: nothing changed, and the report says so.
    auto& ctx = Fresh();
    const std::string image = ReadFile(memoryPath);
    Inject("reset=status x1");
    ui.boxAnswers = {IdYes};
    EXPECT_EQ(ResetModuleMemory(ctx), ResetResult::NotDone);
    EXPECT_EQ(
        LastBox(),
        "Error while resetting the module!\nThe module was not reset; its memory is unchanged.");
    EXPECT_EQ(ReadFile(memoryPath), image);

    // Page 0 refused for good after the wipe: the module has no valid password, and the next
    // tick offers to give it one instead of asking for a password nothing can match.
    Inject("write.0=status x3");
    ui.boxAnswers = {IdYes};
    EXPECT_EQ(ResetModuleMemory(ctx), ResetResult::PasswordNotKept);
    EXPECT_NE(LastBox().find("could not be written back"), std::string::npos);
    EXPECT_EQ(Byte(0, 62), 0xFF);
    ui.passwords = {std::string("2468")};
    CheckConnection(ctx);
    EXPECT_EQ(state.connection.passwordCheck, PasswordCheck::NoValidPassword);
    EXPECT_EQ(Asked("change"), 1);
    EXPECT_EQ(Asked("entry"), 0);
    EXPECT_NE(ui.messages.back().find("holds no valid installer password"), std::string::npos);
    EXPECT_EQ(Byte(0, 62), 0x24);
    EXPECT_EQ(Byte(0, 63), 0x68);
    CheckConnection(ctx);
    EXPECT_TRUE(state.connection.PasswordAccepted());

    // Three lost confirmations of a password write the module carried out: read back, saved.
    // Three refusals: read back, the old password stays and the report says it failed.
    Inject("write.0=silent x3");
    state.connection.Edit_haslo = "1357";
    EXPECT_EQ(WriteInstallerPassword(ctx), PasswordWriteResult::Saved);
    EXPECT_EQ(Byte(0, 62), 0x13);
    Inject("write.0=status x3");
    state.connection.Edit_haslo = "9999";
    EXPECT_EQ(WriteInstallerPassword(ctx), PasswordWriteResult::NotSaved);
    EXPECT_EQ(LastBox(), "There was an error while changing password!");
    EXPECT_EQ(Byte(0, 62), 0x13);
}

TEST_F(ModuleFaults, AReadIsWholeOrLeavesTheRegisterAndAQuietModuleIsGivenUpOnce) {
    // A write cut short at page 300 over a module of 30 cards: the count says 6144, pages from
    // 303 on hold free records (the module took 300 to 302 without saying so). The write stops once
    // and keeps NeedSave; the next read names the damage and leaves the register alone.
    auto& ctx = Fresh();
    state.tablica = Register(MaxCards);
    state.NeedSave = true;
    Inject("write.300=silent\nwrite.301=silent\nwrite.302=silent");
    const WriteOutcome w = WriteModule(ctx);
    EXPECT_EQ(w.stoppedAt, 300);
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"The module stopped answering at page 300. The command "
                                       "was stopped."});
    EXPECT_TRUE(state.NeedSave);
    const TTablica before = state.tablica;
    ui.messages.clear();
    Inject("");
    const ReadOutcome r = ReadModule(ctx);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ(r.recordsWithoutCard.size(), MaxCards - 303 * 12u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("page 303 record 1, page 303 record 2"), std::string::npos);
    EXPECT_EQ(Cards(state.tablica), Cards(before));

    // A module that goes quiet mid-read: three pages in a row, then one message, in seconds.
    Fresh();
    state.tablica = Register(5);
    Inject("read=silent");
    ui.messages.clear();
    const auto start = clock.TickMs();
    const ReadOutcome quiet = ReadModule(ctx);
    EXPECT_LT(clock.TickMs() - start, 15000u);
    EXPECT_EQ(quiet.stoppedAt, 0);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"The module stopped answering at page 0. "
                                                    "The command was stopped. The card list was "
                                                    "not changed."});
    EXPECT_EQ(Cards(state.tablica), Cards(Register(5)));
}

TEST_F(ModuleFaults, KorvCliExitsByWhatTheModuleHoldsAndHelpsAnErasedModule) {
    Fresh("password=erased");
    std::ostringstream out, err;
    const auto run = [&](std::vector<std::string> args) {
        out.str("");
        err.str("");
        return cli::RunModuleSession(args, *port, out, err);
    };
    EXPECT_EQ(run({"info"}), cli::kExitRefused);
    EXPECT_NE(out.str().find("password: none (erased)"), std::string::npos);
    EXPECT_EQ(run({"read", dir + "/out.zel"}), cli::kExitRefused);
    EXPECT_NE(err.str().find("korv-cli module password NNNN"), std::string::npos);
    EXPECT_EQ(run({"password", "4321"}), 0);
    EXPECT_EQ(Byte(0, 62), 0x43);

    // The write's reply lost three times, but the module took it: success, as it is.
    Inject("write.0=silent x3");
    EXPECT_EQ(run({"password", "1111", "--password", "4321"}), 0);
    EXPECT_EQ(Byte(0, 62), 0x11);

    // A verify report of two parts keeps its line break, escaped or not.
    Inject("");
    ASSERT_EQ(run({"read", dir + "/held.zel", "--password", "1111"}), 0);
    TTablica other;
    ASSERT_TRUE(LoadCardFile(ReadFile(dir + "/held.zel"), other).loaded);
    other.Cell(1, 0).lista[0].numer = "19";
    ASSERT_TRUE(WriteCardFile(other, dir + "/other.zel").ok);
    Inject("read.1=silent");
    EXPECT_EQ(run({"verify", dir + "/other.zel", "--password", "1111"}), cli::kExitRefused);
    EXPECT_NE(out.str().find("There are differencies for 1 card!\nCards not checked because "
                             "their pages could not be read: 12.\n"),
              std::string::npos)
        << out.str();
    Inject("reset=silent x1");
    EXPECT_EQ(run({"reset", "--yes", "--password", "1111"}), 0);
    EXPECT_EQ(Byte(0, 62), 0x11);
    EXPECT_EQ(ModuleCards().size(), 0u);

    Inject("reset=status x1");
    EXPECT_EQ(run({"reset", "--yes", "--password", "1111"}), cli::kExitRefused);
    EXPECT_NE(err.str().find("Error while resetting the module!\nThe module was not reset; its "
                             "memory is unchanged.\n"),
              std::string::npos);
}

// The backup a write takes first, with the user's data folder a temporary one.
class BackupFaults : public ModuleFaults {
protected:
    void SetUp() override {
        ModuleFaults::SetUp();
        const char* before = std::getenv(kDataHomeVariable);
        dataHomeBefore_ = before ? before : "";
        SetDataHome(dataHome.c_str());
    }
    void TearDown() override {
        // Put back the one the test run set, so no later test writes into a real home.
        SetDataHome(dataHomeBefore_.c_str());
        ModuleFaults::TearDown();
    }
#ifdef _WIN32
    static constexpr const char* kDataHomeVariable = "LOCALAPPDATA";
    static void SetDataHome(const char* value) {
        _putenv_s(kDataHomeVariable, value);
    }
#else
    static constexpr const char* kDataHomeVariable = "XDG_DATA_HOME";
    static void SetDataHome(const char* value) {
        setenv(kDataHomeVariable, value, 1);
    }
#endif
    // The module holds kImage (30 cards) or the lines' cards; the register 40 unsent ones and
    // ZADA settings of the window's own.
    ModuleContext& Ready(const std::string& lines = "") {
        auto& ctx = Fresh(lines);
        std::filesystem::remove_all(dataHome);
        state.zada = {7, 2, false};
        state.tablica = Register(40);
        state.NeedSave = true;
        return ctx;
    }
    std::vector<std::string> Backups() const {
        std::vector<std::string> paths;
        if (std::filesystem::is_directory(folder))
            for (const auto& e : std::filesystem::directory_iterator(folder))
                paths.push_back(e.path().string());
        std::sort(paths.begin(), paths.end());
        return paths;
    }
    std::vector<std::string> FileCards(const std::string& path) {
        TTablica t;
        EXPECT_TRUE(LoadCardFile(ReadFile(path), t).loaded) << path;
        return Cards(t);
    }
    const std::string dataHome = dir + "/data",
                      folder = PathIn(PathIn(dataHome, "korv"), "backups");

private:
    std::string dataHomeBefore_;
};

TEST_F(BackupFaults, TheBackupHoldsTheModulesOldCardsAndTheModuleThenTheRegister) {
    auto& ctx = Ready();
    const std::vector<std::string> held = ModuleCards();
    const TTablica sent = state.tablica;
    ui.boxAnswers = {IdYes};
    EXPECT_TRUE(WriteModule(ctx, WriteBackup::Offered()).Complete());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind("The module holds 30 cards.", 0), 0u);
    EXPECT_NE(ui.boxes[0].text.find("(about 1 s)"), std::string::npos);
    EXPECT_EQ(BackupSeconds(MaxCards, link::kFullModule), 37); // bench/backup: 36.974 s
    ASSERT_EQ(Backups().size(), 1u);
    const std::string path = Backups()[0];
    EXPECT_TRUE(
        std::regex_match(path, std::regex(".*[/\\\\]ZEL-ZADA-\\d{4}-\\d\\d-\\d\\d_\\d{6}\\.zel")));
    EXPECT_EQ(FileCards(path), held);
    EXPECT_EQ(ModuleCards(), Cards(sent));
    EXPECT_EQ(ui.messages.back(),
              "The write is done. The module's previous cards (30) are in the backup file " + path);
    // Page 1 got the window's settings, not the module's the backup read; the register and
    // the window were left alone.
    EXPECT_EQ(Byte(1, 60), 7);
    EXPECT_EQ(Byte(1, 61), 2);
    EXPECT_EQ(state.zada.lockTime, 7);
    EXPECT_EQ(state.zada.lockType, 2);
    EXPECT_EQ(Cards(state.tablica), Cards(sent));
    EXPECT_FALSE(state.NeedSave || state.partialRead);
    // One bar: the backup's 3 pages, then the write's 4.
    EXPECT_EQ(ui.progressLabels.front(), "Backing up the module ... (0%)");
    EXPECT_EQ(ui.progressLabels.back(), "Saving to the module ... (100%)");
    EXPECT_EQ(ui.progressMaximum, 7);

    // A second backup never replaces the first, whatever second it is taken in.
    state.tablica = Register(3);
    ui.boxAnswers = {IdYes};
    EXPECT_TRUE(WriteModule(ctx, WriteBackup::Offered()).Complete());
    ASSERT_EQ(Backups().size(), 2u);
    EXPECT_EQ(FileCards(path), held);
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 10, t.tm_hour = 8, t.tm_min = 15, t.tm_sec = 3;
    EXPECT_EQ(BackupFileName(link::kFullModule, t), "ZEL-full-2026-12-10_081503.zel");
}

TEST_F(BackupFaults, NoWritesAsBeforeCancelWritesNothingAndAnEmptyModuleIsNotAsked) {
    for (int answer : {IdNo, IdCancel}) {
        auto& ctx = Ready();
        const std::string image = ReadFile(memoryPath);
        ui.boxAnswers = {answer};
        EXPECT_EQ(WriteModule(ctx, WriteBackup::Offered()).Complete(), answer == IdNo);
        EXPECT_EQ(ModuleCards() == Cards(state.tablica), answer == IdNo);
        EXPECT_EQ(ReadFile(memoryPath) == image, answer == IdCancel);
        EXPECT_EQ(state.NeedSave, answer == IdCancel);
        EXPECT_TRUE(Backups().empty() && ui.messages.empty());
    }
    auto& ctx = Ready("image_cards=");
    EXPECT_TRUE(WriteModule(ctx, WriteBackup::Offered()).Complete());
    EXPECT_TRUE(ui.boxes.empty() && Backups().empty());
    EXPECT_EQ(ModuleCards(), Cards(state.tablica));
}

TEST_F(BackupFaults, ABackupThatFailsAnywhereWritesNothingAndSaysWhy) {
    const std::string notTaken = "The module's cards could not be backed up: ";
    const std::string nothing = " Nothing was written to the module.";
    // Lost, late, cut short, garbled, at every try; a read has no refusal a module could give.
    for (const std::string request : {"identify", "count", "read.0", "read.1", "read.2"})
        for (const std::string fault : {"silent", "slow 400", "short", "badcheck"}) {
            SCOPED_TRACE(request + "=" + fault);
            auto& ctx = Ready();
            const std::string image = ReadFile(memoryPath);
            const std::vector<std::string> held = ModuleCards();
            Inject(request + "=" + fault + " x3");
            ui.boxAnswers = {IdYes};
            if (WriteModule(ctx, WriteBackup::Offered()).Complete()) {
                // An identify reply whose first byte still names the module: all is whole.
                EXPECT_TRUE(request == "identify" && fault != "silent");
                ASSERT_EQ(Backups().size(), 1u);
                EXPECT_EQ(FileCards(Backups()[0]), held);
                EXPECT_EQ(ModuleCards(), Cards(state.tablica));
                continue;
            }
            EXPECT_TRUE(ReadFile(memoryPath) == image) << "the module was written";
            EXPECT_TRUE(state.NeedSave && Backups().empty());
            ASSERT_EQ(ui.messages.size(), 1u);
            const std::string& said = ui.messages[0];
            if (request == "identify")
                EXPECT_TRUE(said == "   Lack of access - Wrong reader!   " ||
                            (said.rfind(notTaken, 0) == 0 && said.find(nothing) != said.npos))
                    << said;
            else if (request == "count")
                EXPECT_EQ(said, notTaken + "the module did not report how many cards it holds." +
                                    nothing);
            else
                EXPECT_EQ(said, notTaken + "pages that could not be read: " + request.substr(5) +
                                    "." + nothing);
        }

    // A cancel before the first page; a folder that cannot be made.
    auto& ctx = Ready();
    const std::string image = ReadFile(memoryPath);
    std::atomic<bool> cancel{true};
    ctx.cancel = &cancel;
    ui.boxAnswers = {IdYes};
    EXPECT_FALSE(WriteModule(ctx, WriteBackup::Offered()).Complete());
    EXPECT_EQ(ui.messages.back(), notTaken + "the backup was cancelled." + nothing);
    ctx.cancel = nullptr;
    std::filesystem::remove_all(dataHome);
    std::filesystem::create_directories(dataHome + "/korv");
    std::ofstream(folder) << "a file where the folder belongs";
    ui.boxAnswers = {IdYes};
    EXPECT_FALSE(WriteModule(ctx, WriteBackup::Offered()).Complete());
    EXPECT_EQ(ui.messages.back().rfind(notTaken + "cannot create file \"" + folder + "\" (", 0), 0u)
        << ui.messages.back();
    EXPECT_TRUE(ReadFile(memoryPath) == image && state.NeedSave);
}

TEST_F(BackupFaults, KorvCliBacksUpIntoTheFileGivenOrWritesNothing) {
    Ready();
    const std::vector<std::string> held = ModuleCards();
    const std::string image = ReadFile(memoryPath), in = dir + "/in.zel", old = dir + "/old.zel";
    ASSERT_TRUE(WriteCardFile(Register(20), in).ok);
    std::ostringstream out, err;
    const auto run = [&](std::vector<std::string> args) {
        out.str("");
        err.str("");
        return cli::RunModuleSession(args, *port, out, err);
    };
    // Page 1 is read first for the ZADA settings the write keeps; page 2 only by the backup.
    Inject("read.2=short x3");
    EXPECT_EQ(run({"write", in, "--backup", old}), cli::kExitBackupFailed);
    EXPECT_NE(err.str().find("pages that could not be read: 2. Nothing was written"),
              std::string::npos)
        << err.str();
    Inject("");
    EXPECT_EQ(run({"write", in, "--backup", dir + "/no/such/folder/old.zel"}),
              cli::kExitBackupFailed);
    EXPECT_TRUE(ReadFile(memoryPath) == image && !std::filesystem::exists(old));

    EXPECT_EQ(run({"write", in, "--backup", old}), cli::kExitDone) << err.str();
    // Paths are printed escaped (a Windows path's backslashes come out doubled).
    EXPECT_EQ(out.str(), "backed up 30 cards into " + cli::EscapeText(old) +
                             "\nwrote 20 cards from " + cli::EscapeText(in) + "\n");
    EXPECT_EQ(FileCards(old), held);
    EXPECT_EQ(ModuleCards(), Cards(Register(20)));
    EXPECT_TRUE(Backups().empty()); // the file named is the backup; nothing was asked

    Ready("image_cards=");
    EXPECT_EQ(run({"write", in, "--backup", old}), cli::kExitDone);
    EXPECT_TRUE(FileCards(old).empty());
    EXPECT_EQ(run({"write", in, "--backup"}), cli::kExitUsage);
}

} // namespace
} // namespace korv::test

namespace korv::test {
namespace {

// Identify replies that come late, one after another, until the last try: each is waited out,
// so none is taken for the card count the command asks for next.
TEST_F(ModuleFaults, LateIdentifyRepliesAreNeverTakenForTheCount) {
    for (const std::string tries : {"x2", "x3"}) {
        SCOPED_TRACE(tries);
        auto& ctx = Fresh();
        const std::vector<std::string> held = ModuleCards();
        Inject("identify=slow 400 " + tries);
        const ReadOutcome r = ReadModule(ctx);
        if (tries == "x2") {
            EXPECT_TRUE(r.Complete());
            EXPECT_EQ(Cards(state.tablica), held);
            Inject("identify=slow 400 x2");
            EXPECT_TRUE(VerifyModule(ctx).Matches());
        } else {
            // No try was answered in time: nothing was asked of the module, and that is said.
            EXPECT_FALSE(r.ran);
            EXPECT_EQ(ui.messages.back(), MessageText(MsgWrongReader));
        }
    }
}

} // namespace
} // namespace korv::test
