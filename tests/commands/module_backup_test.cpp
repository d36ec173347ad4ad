// The backup a write takes of the module's cards first, against the simulated module on the
// virtual clock: the order backup-then-write, a fault at each exchange of the backup, a backup
// that cannot be saved, the question's answers, and korv-cli's --backup. The user's data
// folder is a temporary one.
#include "cli/module_session.h"
#include "commands/backup_before_write.h"
#include "commands/connection_monitor.h"
#include "commands/write_module.h"
#include "files/card_file_v9.h"
#include "i18n/catalogue.h"
#include "link/sim_fixture.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace korv::test {
namespace {

constexpr char kHeld[] = "image_cards=1/0/11,1/0/12,1/7/13,2/9/14,2/9/15,3/200/16,3/201/17,"
                         "4/0/18,4/255/268435455,1/1/20,1/1/21,1/1/22,1/2/23,1/3/24,1/4/25,"
                         "2/0/26,2/1/27,2/2/28,2/3/29,2/4/30,2/5/31,2/6/32,3/0/33,3/1/34,"
                         "3/2/35,3/3/36,3/4/37,4/1/38,4/2/39,4/3/40";

class ModuleBackup : public SimLibraryTest {
protected:
    void SetUp() override {
        SimLibraryTest::SetUp();
        dataHome = dir + "/data";
        SetDataHome(dataHome.c_str());
    }
    void TearDown() override {
        SetDataHome(nullptr);
        SimLibraryTest::TearDown();
    }
    static void SetDataHome(const char* value) {
#ifdef _WIN32
        _putenv_s("LOCALAPPDATA", value ? value : "");
#else
        if (value)
            setenv("XDG_DATA_HOME", value, 1);
        else
            unsetenv("XDG_DATA_HOME");
#endif
    }
    // A fresh ZADA module holding the cards of image (none when empty), found by a tick.
    ModuleContext& Fresh(const std::string& image = kHeld) {
        SetLanguageIndex(English);
        memoryPath = dir + "/memory.bin";
        std::filesystem::remove(memoryPath);
        std::filesystem::remove_all(dataHome);
        state = AppState{};
        ui = ScriptedUi{};
        moduleLines = "kind=M\n" + image;
        context_.emplace(ModuleContext{state, ui, Port(Ini(""))});
        TimerCheckTimer(*context_);
        EXPECT_TRUE(state.PasswordAccepted);
        // What the window's controls hold, unlike the module's factory settings.
        state.zada = {7, 2, false};
        state.tablica = Register(40);
        state.NeedSave = true;
        return *context_;
    }
    void Inject(const std::string& faults) {
        Configure(Ini(faults));
    }
    std::string Ini(const std::string& faults) {
        return "[module]\nmemory=" + memoryPath + "\ndelay=" + std::to_string(++configs) + "\n" +
               moduleLines + "\n[faults]\n" + faults + "\n";
    }
    // The module's cards as its memory holds them, decoded here and not by the program.
    std::vector<std::string> ModuleCards() {
        const std::string m = ReadFile(memoryPath);
        const auto b = [&](std::size_t i) { return static_cast<unsigned char>(m.at(i)); };
        std::vector<std::string> cards;
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
    std::vector<std::string> FileCards(const std::string& path) {
        TTablica t;
        EXPECT_TRUE(LoadCardFile(ReadFile(path), t).loaded) << path;
        return Cards(t);
    }
    static TTablica Register(int cards) {
        TTablica t;
        for (int c = 0; c < cards; ++c)
            t.AddCard(1 + c % 4, c * 5 % 256, {std::to_string(1000 + c), c % 2 == 0, ""});
        return t;
    }
    std::vector<std::string> Backups() const {
        std::vector<std::string> names;
        const auto folder = std::filesystem::path(dataHome) / "korv" / "backups";
        if (std::filesystem::is_directory(folder))
            for (const auto& e : std::filesystem::directory_iterator(folder))
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    int Byte(int page, int k) {
        return static_cast<unsigned char>(ReadFile(memoryPath).at(page * 64 + k));
    }

    AppState state;
    ScriptedUi ui;
    std::string memoryPath, moduleLines, dataHome;
    int configs = 0;
    std::optional<ModuleContext> context_;
};

TEST_F(ModuleBackup, TheBackupHoldsTheOldCardsAndTheModuleThenTheRegister) {
    auto& ctx = Fresh();
    const std::vector<std::string> held = ModuleCards();
    ASSERT_EQ(held.size(), 30u);
    const TTablica sent = state.tablica;
    ui.boxAnswers = {IdYes};
    const WriteOutcome w = Button2Click(ctx, WriteBackup::Offered());
    EXPECT_TRUE(w.Complete());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].flags, MbYesNoCancel);
    EXPECT_EQ(ui.boxes[0].text.rfind("The module holds 30 cards.", 0), 0u) << ui.boxes[0].text;
    EXPECT_NE(ui.boxes[0].text.find("(about 1 s)"), std::string::npos);
    EXPECT_EQ(BackupSeconds(MaxCards, link::kFullModule), 37); // bench/backup: 36.974 s

    const std::vector<std::string> names = Backups();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(std::regex_match(names[0], std::regex(R"(ZEL-ZADA-\d{4}-\d\d-\d\d_\d{6}\.zel)")))
        << names[0];
    const std::string path = dataHome + "/korv/backups/" + names[0];
    EXPECT_EQ(FileCards(path), held);
    EXPECT_EQ(ModuleCards(), Cards(sent));
    EXPECT_EQ(ui.messages.back(),
              "The write is done. The module's previous cards (30) are in the backup file " + path);

    // The person's register, NeedSave and the window's ZADA settings are the write's, not the
    // backup's: page 1 got the window's settings, and the window was shown nothing of the read.
    EXPECT_EQ(Cards(state.tablica), Cards(sent));
    EXPECT_FALSE(state.NeedSave);
    EXPECT_FALSE(state.partialRead);
    EXPECT_FALSE(ui.shownZada.has_value());
    EXPECT_EQ(Byte(1, 60), 7);
    EXPECT_EQ(Byte(1, 61), 2);
    // One bar: the backup's pages (0, 1, 2), then the write's (0 to 3), from 0 to 100 %.
    ASSERT_GE(ui.progressLabels.size(), 2u);
    EXPECT_EQ(ui.progressLabels.front(), "Backing up the module ... (0%)");
    EXPECT_EQ(ui.progressLabels.back(), "Saving to the module ... (100%)");
    EXPECT_EQ(ui.progressMaximum, 7);
    EXPECT_NE(std::find(ui.progressLabels.begin(), ui.progressLabels.end(),
                        "Saving to the module ... (42%)"),
              ui.progressLabels.end());

    // A second backup, of what the module now holds, never replaces the first, whatever second
    // it is taken in.
    state.tablica = Register(3);
    ui.boxAnswers = {IdYes};
    EXPECT_TRUE(Button2Click(ctx, WriteBackup::Offered()).Complete());
    ASSERT_EQ(Backups().size(), 2u);
    EXPECT_EQ(FileCards(path), held);
    // The name a third one would take in the first one's second.
    const std::string stem = names[0].substr(0, names[0].size() - 4);
    const std::vector<std::string> both = Backups();
    const bool sameSecond = std::find(both.begin(), both.end(), stem + "-2.zel") != both.end();
    EXPECT_EQ(FreeBackupPath(dataHome + "/korv/backups", names[0]),
              dataHome + "/korv/backups/" + stem + (sameSecond ? "-3.zel" : "-2.zel"));
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 10, t.tm_hour = 8, t.tm_min = 15, t.tm_sec = 30;
    EXPECT_EQ(BackupFileName(link::kFullModule, t), "ZEL-full-2026-12-10_081530.zel");
}

TEST_F(ModuleBackup, NoWritesAsBeforeCancelWritesNothingAndAnEmptyModuleIsNotAsked) {
    auto& ctx = Fresh();
    ui.boxAnswers = {IdNo};
    const TTablica sent = state.tablica;
    EXPECT_TRUE(Button2Click(ctx, WriteBackup::Offered()).Complete());
    EXPECT_EQ(ModuleCards(), Cards(sent));
    EXPECT_TRUE(Backups().empty());
    EXPECT_TRUE(ui.messages.empty());

    Fresh();
    const std::string image = ReadFile(memoryPath);
    ui.boxAnswers = {IdCancel};
    const WriteOutcome cancelled = Button2Click(ctx, WriteBackup::Offered());
    EXPECT_TRUE(cancelled.backup.cancelled);
    EXPECT_FALSE(cancelled.Complete());
    EXPECT_TRUE(ReadFile(memoryPath) == image);
    EXPECT_TRUE(state.NeedSave);
    EXPECT_TRUE(Backups().empty());

    Fresh("");
    EXPECT_TRUE(Button2Click(ctx, WriteBackup::Offered()).Complete());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(Backups().empty());
    EXPECT_EQ(ModuleCards(), Cards(sent));
}

TEST_F(ModuleBackup, ABackupThatFailsAnywhereWritesNothingAndSaysWhy) {
    const std::vector<std::pair<std::string, std::string>> exchanges = {
        {"identify", ""},
        {"count", "the module did not report how many cards it holds."},
        {"read.0", "pages that could not be read: 0."},
        {"read.1", "pages that could not be read: 1."},
        {"read.2", "pages that could not be read: 2."},
    };
    const std::string notTaken = "The module's cards could not be backed up: ";
    const std::string nothing = " Nothing was written to the module.";
    for (const auto& [request, why] : exchanges)
        // Lost, late, cut short, garbled; a read has no refusal the module could give.
        for (const std::string fault : {"silent", "slow 400", "short", "badcheck"}) {
            SCOPED_TRACE(request + "=" + fault);
            auto& ctx = Fresh();
            const std::string image = ReadFile(memoryPath);
            const std::vector<std::string> held = ModuleCards();
            // Every try of the exchange: once is tried again and never reaches the person.
            Inject(request + "=" + fault + " x3");
            ui.boxAnswers = {IdYes};
            const WriteOutcome w = Button2Click(ctx, WriteBackup::Offered());
            if (w.Complete()) {
                // Only an identify reply whose first byte still names the module goes through
                // whole: then both the backup and the write are whole.
                EXPECT_EQ(request, "identify");
                EXPECT_NE(fault, "silent");
                ASSERT_EQ(Backups().size(), 1u);
                EXPECT_EQ(FileCards(dataHome + "/korv/backups/" + Backups()[0]), held);
                EXPECT_EQ(ModuleCards(), Cards(state.tablica));
                continue;
            }
            EXPECT_FALSE(w.ran);
            EXPECT_TRUE(ReadFile(memoryPath) == image) << "the module was written";
            EXPECT_TRUE(state.NeedSave);
            EXPECT_TRUE(Backups().empty());
            ASSERT_EQ(ui.messages.size(), 1u);
            if (request == "identify" && fault == "silent") {
                EXPECT_EQ(ui.messages[0], "   Lack of access - Wrong reader!   ");
            } else if (request == "identify") {
                // A late identify reply read as the count: a count no module holds.
                EXPECT_EQ(ui.messages[0].rfind(notTaken, 0), 0u) << ui.messages[0];
                EXPECT_NE(ui.messages[0].find(nothing), std::string::npos);
            } else {
                EXPECT_EQ(ui.messages[0], notTaken + why + nothing);
            }
        }

    // A cancel before the first page, a folder that cannot be made, a count no module holds.
    auto& ctx = Fresh();
    const std::string image = ReadFile(memoryPath);
    std::atomic<bool> cancel{true};
    ctx.cancel = &cancel;
    ui.boxAnswers = {IdYes};
    EXPECT_FALSE(Button2Click(ctx, WriteBackup::Offered()).Complete());
    EXPECT_EQ(ui.messages.back(), "The module's cards could not be backed up: the backup was "
                                  "cancelled. Nothing was written to the module.");
    ctx.cancel = nullptr;
    std::filesystem::remove_all(dataHome);
    std::filesystem::create_directories(dataHome + "/korv");
    std::ofstream(dataHome + "/korv/backups") << "a file where the folder belongs";
    ui.boxAnswers = {IdYes};
    EXPECT_FALSE(Button2Click(ctx, WriteBackup::Offered()).Complete());
    EXPECT_EQ(ui.messages.back().rfind("The module's cards could not be backed up: cannot create "
                                       "file \"" +
                                           dataHome + "/korv/backups\" (",
                                       0),
              0u)
        << ui.messages.back();
    EXPECT_TRUE(ReadFile(memoryPath) == image);
    EXPECT_TRUE(state.NeedSave);
}

TEST_F(ModuleBackup, KorvCliBacksUpIntoTheFileGivenOrWritesNothing) {
    Fresh();
    const std::vector<std::string> held = ModuleCards();
    ASSERT_TRUE(WriteCardFile(Register(20), dir + "/in.zel").ok);
    std::ostringstream out, err;
    const auto run = [&](std::vector<std::string> args) {
        out.str("");
        err.str("");
        return cli::RunModuleSession(args, *port, out, err);
    };
    const std::string image = ReadFile(memoryPath);
    // Page 1 is read first for the ZADA settings the write keeps; page 2 only by the backup.
    Inject("read.2=short x3");
    EXPECT_EQ(run({"write", dir + "/in.zel", "--backup", dir + "/old.zel"}),
              cli::kExitBackupFailed);
    EXPECT_NE(err.str().find("pages that could not be read: 2. Nothing was written"),
              std::string::npos)
        << err.str();
    EXPECT_FALSE(std::filesystem::exists(dir + "/old.zel"));
    EXPECT_TRUE(ReadFile(memoryPath) == image);
    Inject("");
    EXPECT_EQ(run({"write", dir + "/in.zel", "--backup", dir + "/no/such/folder/old.zel"}),
              cli::kExitBackupFailed);
    EXPECT_TRUE(ReadFile(memoryPath) == image);

    EXPECT_EQ(run({"write", dir + "/in.zel", "--backup", dir + "/old.zel"}), cli::kExitDone)
        << err.str();
    EXPECT_EQ(out.str(), "backed up 30 cards into " + dir + "/old.zel\nwrote 20 cards from " + dir +
                             "/in.zel\n");
    EXPECT_EQ(FileCards(dir + "/old.zel"), held);
    EXPECT_EQ(ModuleCards(), Cards(Register(20)));
    // Nothing asked, nothing in the user's data folder: the file named is the backup.
    EXPECT_TRUE(Backups().empty());

    Fresh("");
    EXPECT_EQ(run({"write", dir + "/in.zel", "--backup", dir + "/empty.zel"}), cli::kExitDone);
    EXPECT_TRUE(FileCards(dir + "/empty.zel").empty());
    EXPECT_EQ(run({"write", dir + "/in.zel", "--backup"}), cli::kExitUsage);
}

} // namespace
} // namespace korv::test
