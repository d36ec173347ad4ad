// A Ui for tests: records everything shown, answers questions from queues set up by the test.
#pragma once

#include "commands/register_view.h"
#include "commands/ui_seam.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace korv::test {

class ScriptedUi : public Ui, public RegisterView {
public:
    struct Box {
        std::string text, caption;
        int flags;
        std::string details;
    };

    // Answers, consumed in order; an empty queue answers No / Cancel / nothing.
    std::deque<int> boxAnswers;
    std::deque<std::optional<std::string>> openNames, saveNames;
    std::deque<int> zones;
    std::deque<std::optional<std::string>> passwords;

    // What happened, in order.
    std::vector<Box> boxes;
    std::vector<std::string> messages, errors, titles;
    std::vector<std::string> events; // every call, by name, for order checks
    std::vector<std::string> progressLabels;
    std::vector<std::string> askedFilters;
    std::vector<std::string> askedExtensions; // Save as's default extension, per question
    std::map<MenuItem, bool> menu;
    int busyDepth = 0, refreshes = 0, apartment = -1, progressVisible = 0;
    int progressPosition = 0, progressMaximum = 0;
    bool monitorRunning = true, waitCursor = false, cardButtons = true;
    // The card group: dialog answers (none left: cancelled), the list's selection.
    std::deque<TKarta> cards;
    std::deque<std::pair<int, int>> ranges;
    std::vector<std::optional<TKarta>> askedCards;
    std::vector<int> rangeStarts;
    int selectedRow = -1;
    std::string addCaption;
    std::vector<ConnectionView> connections;

    int MessageBox(const std::string& text, const std::string& caption, int flags) override {
        boxes.push_back({text, caption, flags, ""});
        events.push_back("MessageBox");
        if (boxAnswers.empty())
            return flags == MbYesNoCancel ? IdCancel : (flags == MbYesNoDefaultNo ? IdNo : IdOk);
        const int a = boxAnswers.front();
        boxAnswers.pop_front();
        return a;
    }
    int MessageBoxWithDetails(const std::string& text, const std::string& caption, int flags,
                              const std::string& details) override {
        const int result = MessageBox(text, caption, flags);
        boxes.back().details = details;
        return result;
    }
    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        events.push_back("ShowMessage");
    }
    void ShowError(const std::string& text) override {
        errors.push_back(text);
        events.push_back("ShowError");
    }
    void ShowProgress(int position, int maximum, const std::string& label) override {
        progressVisible = 1;
        progressPosition = position;
        progressMaximum = maximum;
        progressLabels.push_back(label);
    }
    void HideProgress() override { progressVisible = 0; }
    std::optional<std::string> AskOpenFileName(const std::string& filter) override {
        events.push_back("AskOpenFileName");
        askedFilters.push_back(filter);
        return Take(openNames);
    }
    std::optional<std::string> AskSaveFileName(const std::string& filter,
                                               const std::string& extension) override {
        events.push_back("AskSaveFileName");
        askedFilters.push_back(filter);
        askedExtensions.push_back(extension);
        return Take(saveNames);
    }
    int AskZone() override {
        events.push_back("AskZone");
        if (zones.empty())
            return 0;
        const int z = zones.front();
        zones.pop_front();
        return z;
    }
    void RefreshViews() override {
        ++refreshes;
        events.push_back("RefreshViews");
    }
    void SetApartment(int a) override {
        apartment = a;
        events.push_back("SetApartment");
    }
    void ShowCurrentApartment() override { events.push_back("ShowCurrentApartment"); }
    void SetWindowTitle(const std::string& t) override {
        titles.push_back(t);
        events.push_back("SetWindowTitle");
    }
    void SetMenuItemEnabled(MenuItem item, bool enabled) override { menu[item] = enabled; }
    void ShowConnection(const ConnectionView& view) override {
        connections.push_back(view);
        events.push_back("ShowConnection");
    }
    std::optional<std::string> AskPassword(bool change) override {
        events.push_back(change ? "AskPassword change" : "AskPassword entry");
        return Take(passwords);
    }
    void ShowProgressLabel(const std::string& text) override {
        progressLabels.push_back(text);
        events.push_back("ShowProgressLabel");
    }
    void SetWaitCursor(bool waiting) override {
        waitCursor = waiting;
        events.push_back(waiting ? "WaitCursor" : "NormalCursor");
    }
    void SetCardButtonsEnabled(bool enabled) override {
        cardButtons = enabled;
        events.push_back(enabled ? "CardButtonsOn" : "CardButtonsOff");
    }
    TKarta AskCard(const std::optional<TKarta>& card) override {
        events.push_back(card ? "ZmienKarte" : "DodajKarte");
        askedCards.push_back(card);
        if (cards.empty())
            return TKarta{"-1", false, ""};
        TKarta k = cards.front();
        cards.pop_front();
        return k;
    }
    std::pair<int, int> AskRange(int start) override {
        events.push_back("PodajZakres");
        rangeStarts.push_back(start);
        if (ranges.empty())
            return {-1, -1};
        auto r = ranges.front();
        ranges.pop_front();
        return r;
    }
    int SelectedCardRow() override { return selectedRow; }
    void ShowCardNotice(bool show) override { events.push_back(show ? "NoticeOn" : "NoticeOff"); }
    void SetAddButtonCaption(const std::string& caption) override { addCaption = caption; }

private:
    static std::optional<std::string> Take(std::deque<std::optional<std::string>>& q) {
        if (q.empty())
            return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

} // namespace korv::test
