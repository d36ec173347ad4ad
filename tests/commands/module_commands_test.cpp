// The connection monitor and the module commands against the simulated module, in-process on
// one virtual clock.
#include "cli/module_session.h"
#include "commands/connection_monitor.h"
#include "commands/password_commands.h"
#include "commands/transfer_session.h"
#include "commands/version_check.h"
#include "i18n/catalogue.h"
#include "link/memory_image.h"
#include "link/sim_fixture.h"
#include "support/scripted_ui.h"

#include "support/port_calls.h"

#include <gtest/gtest.h>

#include <sstream>

namespace korv::test {
namespace {

class ModuleCommands : public SimLibraryTest {
protected:
    ModuleContext& Context(const std::string& ini) {
        SetLanguageIndex(English);
        context_.emplace(ModuleContext{state, ui, Port(ini)});
        return *context_;
    }
    void Tick() { CheckConnection(*context_); }
    std::string Label() const { return ConnectionLabelText(state); }

    AppState state;
    ScriptedUi ui;

private:
    std::optional<ModuleContext> context_;
};

TEST_F(ModuleCommands, EveryIdentificationOutcomeLeavesItsRowOfTheStateTable) {
    struct Case {
        std::string module;
        LinkOutcome outcome;
        std::string label;
        bool panels, infoPanel, rtsToggled;
    };
    const std::vector<Case> cases = {
        {"kind=F", LinkOutcome::CurrentModule, "Connected with module ZEL v7", true, false, false},
        {"kind=M", LinkOutcome::CurrentModule, "Connected with module PEL-ZEL-ZADA", true, false,
         false},
        {"kind=RUF\nruf_extra=X1\nruf_legacy=J", LinkOutcome::Legacy, "Connected with module RUFX1",
         false, true, false},
        {"kind=RUF\nruf_extra=X1\nruf_legacy=I", LinkOutcome::Nothing, "Module not connected",
         false, false, true},
        {"kind=j", LinkOutcome::Legacy, "Connected with module ZEL v1", false, true, false},
        {"kind=i", LinkOutcome::Legacy, "Connected with module PEL-ZEL", false, true, false},
        {"kind=silent", LinkOutcome::Nothing, "Module not connected", false, false, true},
        {"kind=none", LinkOutcome::NoCable, "Module not connected", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        state = AppState{};
        state.tablica.AddCard(1, 0, {"5", false, ""});
        ui = ScriptedUi{};
        Context("[module]\n" + c.module + "\n");
        Tick();
        const ConnectionView& v = state.connection.view;
        EXPECT_EQ(v.outcome, c.outcome);
        EXPECT_EQ(Label(), c.label);
        EXPECT_EQ(v.pushPanels, c.panels);
        EXPECT_EQ(v.infoPanel, c.infoPanel);
        EXPECT_EQ(port->RTS(), c.rtsToggled);
        const bool answered =
            c.outcome == LinkOutcome::CurrentModule || c.outcome == LinkOutcome::Legacy;
        EXPECT_EQ(state.connection.polaczony(), answered);
        EXPECT_EQ(v.autoCheckBox, answered);
        EXPECT_EQ(FindButtonUsable(state), answered);
        EXPECT_EQ(v.cableMessage, c.outcome == LinkOutcome::NoCable ? 33 : 34);
        EXPECT_EQ(v.cableColour, answered ? Colour::Lime : Colour::Yellow);
        EXPECT_EQ(v.labelColour,
                  c.outcome == LinkOutcome::CurrentModule ? Colour::Green : Colour::Red);
        const bool current = c.outcome == LinkOutcome::CurrentModule;
        EXPECT_EQ(state.connection.PasswordAccepted(), current); // the default password fits
        EXPECT_EQ(v.passwordButtons, current);
        EXPECT_FALSE(port->Opened());
    }
}

TEST_F(ModuleCommands, LayoutFollowsTheModuleKindAndSurvivesUnplugging) {
    Context("[module]\nkind=M\n");
    Tick();
    EXPECT_EQ(state.connection.view.layout, ModuleLayout::Zada);
    Configure("[module]\nkind=none\n");
    Tick();
    EXPECT_EQ(state.connection.view.layout, ModuleLayout::Zada);
    EXPECT_EQ(state.connection.ModuleKind, "M"); // the last kind stays while no cable is present
    Configure("[module]\nkind=F\n");
    Tick();
    EXPECT_EQ(state.connection.view.layout, ModuleLayout::Full);
    EXPECT_EQ(Label(), "Connected with module ZEL v7");
}

TEST_F(ModuleCommands, SilentModuleTogglesRtsEveryTick) {
    Context("[module]\nkind=silent\n");
    Tick();
    EXPECT_TRUE(port->RTS());
    Tick();
    EXPECT_FALSE(port->RTS());
}

TEST_F(ModuleCommands, RefusedPasswordAsksOnEveryTickUntilTheRightOneIsEntered) {
    Context("[module]\nkind=F\npassword=0042\n");
    ui.passwords = {std::string("1"), std::string("42")};
    Tick();
    EXPECT_FALSE(state.connection.PasswordAccepted());
    EXPECT_FALSE(state.connection.view.moduleGroup);
    EXPECT_EQ(state.connection.Edit_haslo, "0001"); // padded, tried on the next tick
    Tick();
    EXPECT_EQ(state.connection.Edit_haslo, "0042");
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "AskPassword entry"), 2);
    Tick();
    EXPECT_TRUE(state.connection.PasswordAccepted());
    EXPECT_TRUE(state.connection.view.moduleGroup);
    EXPECT_TRUE(state.connection.view.passwordButtons);
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "AskPassword entry"), 2);
}

TEST_F(ModuleCommands, ACancelledPasswordPanelWaitsForThePasswordBoxOrAnotherModule) {
    Context("[module]\nkind=F\npassword=0042\n");
    const auto asked = [&] {
        return std::count(ui.events.begin(), ui.events.end(), "AskPassword entry");
    };
    ui.passwords = {std::nullopt}; // cancelled
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(asked(), 1); // not back every second
    EXPECT_TRUE(PasswordRefusedAndDeclined(state));
    EXPECT_EQ(Label(), "Password refused - click the password box");
    EXPECT_FALSE(state.connection.view.moduleGroup);

    AskForThePasswordAgain(state); // the password box clicked
    ui.passwords = {std::nullopt};
    Tick();
    Tick();
    EXPECT_EQ(asked(), 2);

    // Unplugged and plugged again: a new connection is asked anew, and takes the password.
    Configure("[module]\nkind=none\n");
    Tick();
    EXPECT_FALSE(PasswordRefusedAndDeclined(state));
    Configure("[module]\nkind=F\npassword=0042\n");
    ui.passwords = {std::string("42")};
    Tick();
    Tick();
    EXPECT_EQ(asked(), 3);
    EXPECT_TRUE(state.connection.PasswordAccepted());
    EXPECT_EQ(Label(), "Connected with module ZEL v7");
}

TEST_F(ModuleCommands, ACableAnotherProgramHoldsIsSaidToBeInUseNotMissing) {
    auto& ctx = Context("[module]\nkind=F\n");
    auto other = link::LoadVendorLibrary(KORV_SIM_LIBRARY);
    ASSERT_TRUE(other);
    char description[] = "VOVEDO";
    link::FT_HANDLE held = nullptr;
    ASSERT_EQ(other->table.FT_OpenEx(description, link::FT_OPEN_BY_DESCRIPTION, &held),
              link::FT_OK);
    Tick();
    EXPECT_EQ(state.connection.view.outcome, LinkOutcome::NoCable);
    EXPECT_TRUE(state.connection.view.cableInUse);
    EXPECT_EQ(state.connection.view.cableMessage, 34);
    EXPECT_EQ(Label(), "The USB cable is in use by another program.");
    state.connection.passwordCheck =
        PasswordCheck::Accepted; // as a tick before the cable was taken left it
    EXPECT_FALSE(TransferSession(ctx, SessionCommand::Read, [] {}));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"The USB cable is in use by another program."});
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunModuleSession({"info"}, *port, out, err), cli::kExitNoCable);
    EXPECT_EQ(err.str(), "korv-cli module: The USB cable is in use by another program.\n");

    other->table.FT_Close(held);
    Tick();
    EXPECT_FALSE(state.connection.view.cableInUse);
    EXPECT_EQ(Label(), "Connected with module ZEL v7");
}

TEST_F(ModuleCommands, SessionRunsTheBodyOnlyForTheKindTheMonitorFound) {
    auto& ctx = Context("[module]\nkind=F\n");
    Tick();
    int ran = 0;
    EXPECT_TRUE(TransferSession(ctx, SessionCommand::Read, [&] { ++ran; }));
    state.connection.model = &link::kZadaModule; // swapped since the last tick
    EXPECT_FALSE(TransferSession(ctx, SessionCommand::Write, [&] { ++ran; }));
    EXPECT_FALSE(TransferSession(ctx, SessionCommand::Password, [&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"   Lack of access - Wrong reader!   "});
    EXPECT_FALSE(port->Opened());

    // A legacy module answers the same way every time, but takes no module command.
    Configure("[module]\nkind=j\n");
    Tick();
    ui.messages.clear();
    EXPECT_FALSE(TransferSession(ctx, SessionCommand::Write, [&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"   Lack of access - Wrong reader!   "});

    // Without an accepted password no command starts, whoever calls it.
    Configure("[module]\nkind=F\npassword=0042\n");
    ui.passwords = {std::nullopt};
    Tick();
    ASSERT_FALSE(state.connection.PasswordAccepted());
    ui.events.clear();
    EXPECT_FALSE(TransferSession(ctx, SessionCommand::Read, [&] { ++ran; }));
    EXPECT_FALSE(TransferSession(ctx, SessionCommand::Password, [&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(ui.events.empty());
}

TEST_F(ModuleCommands, PasswordChangeWritesTheModuleAndTheNextTickUsesIt) {
    auto& ctx = Context("[module]\nkind=M\n");
    Tick();
    ui.passwords = {std::string("987")};
    ChangeInstallerPassword(ctx);
    EXPECT_EQ(state.connection.Edit_haslo, "0987");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Password has been saved to the module!");
    EXPECT_EQ(ui.boxes[0].flags, MbInformation);
    Tick();
    EXPECT_TRUE(state.connection.PasswordAccepted());

    ui.passwords = {std::nullopt}; // cancelled: nothing changes, nothing is sent
    ChangeInstallerPassword(ctx);
    EXPECT_EQ(state.connection.Edit_haslo, "0987");
    EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(ModuleCommands, ResetAsksFirstKeepsThePasswordAndShowsTheWait) {
    auto& ctx = Context("[module]\nkind=M\nimage_cards=1/0/5,2/3/77\n");
    Tick();
    state.tablica.AddCard(1, 0, {"5", false, ""});
    ui.boxAnswers = {IdNo};
    EXPECT_EQ(ResetModuleMemory(ctx), ResetResult::NotRun);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "BeginBusy"), 0);

    ui.boxAnswers = {IdYes};
    const auto before = clock.TickMs();
    EXPECT_EQ(ResetModuleMemory(ctx), ResetResult::Done);
    EXPECT_GE(clock.TickMs() - before, 13000u);
    EXPECT_EQ(ui.boxes.back().text, "Module reset succeeded");
    EXPECT_FALSE(ui.waitCursor);
    EXPECT_EQ(ui.progressLabels.front(), "Module reset in progress - wait...");
    EXPECT_EQ(ui.progressLabels.back(), "");
    EXPECT_EQ(state.tablica.CardCount(), 1); // the register is not touched

    ASSERT_EQ(port->Open(), link::PortResult::Ok);
    EXPECT_EQ(CountOrMinusOne(*port), 0);
    EXPECT_EQ(port->CheckPass("5172"), link::PortResult::Ok);
    link::ZadaSettings zada{0, 2, false};
    EXPECT_EQ(port->ReadPage(1, link::kZadaModule, zada), link::PortResult::Ok);
    EXPECT_EQ(zada, (link::ZadaSettings{4, 0, true}));
    port->Close();
}

TEST_F(ModuleCommands, ZadaSettingsGoOutWithPage1AndComeBackClamped) {
    auto& ctx = Context("[module]\nkind=M\n");
    Tick();
    TTablica t;
    t.AddCard(1, 0, {"5", false, ""});
    WriteCursor cursor;
    ASSERT_EQ(ctx.port.Open(), link::PortResult::Ok);
    for (int page = 0; page <= LastPageToWrite(t.CardCount(), link::kZadaModule); ++page) {
        ASSERT_TRUE(
            AssemblePage(ctx.port, page, cursor, t, {link::kZadaModule, "5172", {12, 2, false}}));
        ASSERT_EQ(ctx.port.WritePage(page), link::PortResult::Ok);
    }
    link::ZadaSettings back;
    ASSERT_EQ(ctx.port.ReadPage(1, link::kZadaModule, back), link::PortResult::Ok);
    EXPECT_EQ(back, (link::ZadaSettings{12, 2, false}));

    // Settings out of range come back as the factory's time and type; sounds follow byte 62.
    ctx.port.ClearBufIn();
    std::fill(ctx.port.buf_in.begin() + 2, ctx.port.buf_in.begin() + 62, 0xFF);
    ctx.port.buf_in[62] = 30;
    ctx.port.buf_in[63] = 5;
    ctx.port.buf_in[64] = 1;
    ctx.port.buf_in[65] = 0xFF;
    ASSERT_EQ(ctx.port.WritePage(1), link::PortResult::Ok);
    ASSERT_EQ(ctx.port.ReadPage(1, link::kZadaModule, back), link::PortResult::Ok);
    EXPECT_EQ(back, (link::ZadaSettings{4, 0, false}));
    ctx.port.Close();
}

TEST_F(ModuleCommands, PageLoopNamesFailedPagesOnceTheModuleAnswersAndGivesUpOnASilentOne) {
    auto& ctx = Context("[module]\nkind=F\n");
    auto result = RunPageLoop(ctx, 3, 110, "page ", [](int page) { return page != 2; });
    EXPECT_EQ(result.failed, std::vector<int>{2});
    EXPECT_FALSE(result.Stopped());
    EXPECT_EQ(ui.messages, std::vector<std::string>{"page 2"});
    EXPECT_EQ(ui.progressLabels, (std::vector<std::string>{"Module is being read ... (0%)",
                                                           "Module is being read ... (25%)",
                                                           "Module is being read ... (50%)",
                                                           "Module is being read ... (75%)",
                                                           "Module is being read ... (100%)"}));
    EXPECT_EQ(ui.progressVisible, 0); // the display ends with the loop

    // Two failures in a row are named when a page gets through; the third in a row ends the
    // loop at the first of them, and the run is not named page by page.
    ui.messages.clear();
    int asked = 0;
    result = RunPageLoop(ctx, 511, 110, "page ", [&](int page) {
        ++asked;
        return page < 3 || (page > 4 && page < 7);
    });
    EXPECT_EQ(result.failed, (std::vector<int>{3, 4, 7, 8, 9}));
    EXPECT_EQ(result.stoppedAt, 7);
    EXPECT_EQ(asked, 10);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"page 3", "page 4"}));

    ui.progressLabels.clear();
    EXPECT_TRUE(RunPageLoop(ctx, -1, 111, "page ", [](int) { return false; }).failed.empty());
    EXPECT_TRUE(ui.progressLabels.empty()); // no page, no display
}

TEST(VersionCheck, PolishAsksForThePolishPageEveryOtherLanguageForTheEnglishOne) {
    TempFolder folder;
    const std::string ini = folder.File("korv.ini");
    EXPECT_EQ(VersionServer(ini), kDefaultVersionServer); // no settings file
    std::ofstream(ini) << "[ZEL v7]\r\nJezyk=0\r\nVersionServer=http://10.0.0.5:8080\r\n";
    const std::string base = VersionServer(ini);
    EXPECT_EQ(VersionCheckUrl(base, Polish),
              "http://10.0.0.5:8080/update/chkupdate.php?ver_nmb=74&prog=ZEL7&lang=pl");
    for (int language : {English, German, Slovak})
        EXPECT_EQ(VersionCheckUrl(base, language),
                  "http://10.0.0.5:8080/update/chkupdate.php?ver_nmb=74&prog=ZEL7&lang=en");
}

} // namespace
} // namespace korv::test
