// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs with scripted answers that record every question asked.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace lutavo::test {

struct AskedMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
};

class FakeDialogs : public Dialogs {
  public:
    MessageAnswer message(const std::string& text, const std::string& caption,
                          MessageButtons buttons) override {
        messages.push_back({text, caption, buttons});
        if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
        return answerYes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    std::optional<std::string> openFile(const FileDialogRequest& request) override {
        return fileAnswer(request);
    }
    std::optional<std::string> saveFile(const FileDialogRequest& request) override {
        return fileAnswer(request);
    }
    int popupMenu(const Menu& menu) override {
        menus.push_back(menu);
        return pop(menuAnswers, -1);
    }
    bool printerSetup() override { return ++printerSetups < 0; }
    std::optional<SheetRange> printDialog(int) override { return pop(sheetAnswers, {}); }
    std::optional<std::vector<int>> askNumbers(const std::string&,
                                               const std::vector<NumberField>& fields) override {
        numberForms.push_back(fields);
        return pop(numberAnswers, std::optional<std::vector<int>>{});
    }
    int chooseItem(const ChoiceRequest& request) override {
        choices.push_back(request);
        return pop(choiceAnswers, request.preselected);
    }
    std::optional<std::string> showProgress(const ProgressReport& report) override {
        progressShown.push_back(report);
        return pop(progressAnswers, std::optional<std::string>{});
    }

    // Answers handed out in order; an empty queue gives the "cancel" answer (No to questions),
    // as does a file answer "".
    std::deque<std::string> fileAnswers;
    std::deque<int> menuAnswers;
    std::deque<std::optional<SheetRange>> sheetAnswers;         // the print dialog's
    std::deque<int> choiceAnswers;                              // empty: the item offered first
    std::deque<std::optional<std::vector<int>>> numberAnswers;  // empty: cancelled
    std::deque<std::optional<std::string>> progressAnswers;     // empty: closed
    bool answerYes = false;  // the answer to every Yes/No question

    std::vector<AskedMessage> messages;
    // Every message's text, one after another.
    std::string said() const {
        std::string out;
        for (const AskedMessage& m : messages)
            out += m.text;
        return out;
    }
    std::vector<FileDialogRequest> fileRequests;
    std::vector<Menu> menus;
    std::vector<ChoiceRequest> choices;
    std::vector<std::vector<NumberField>> numberForms;
    std::vector<ProgressReport> progressShown;
    int printerSetups = 0;

  private:
    std::optional<std::string> fileAnswer(const FileDialogRequest& request) {
        fileRequests.push_back(request);
        std::string answer = pop(fileAnswers, std::string());
        if (answer.empty()) return std::nullopt;
        return answer;
    }
    template <typename T>
    static T pop(std::deque<T>& q, T fallback) {
        if (q.empty()) return fallback;
        T v = q.front();
        q.pop_front();
        return v;
    }
};

}  // namespace lutavo::test
