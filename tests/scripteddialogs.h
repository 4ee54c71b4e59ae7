#pragma once
// Dialogs answered from a script, recording what was shown.

#include "dialogs.h"

#include <QList>
#include <QStringList>

struct ShownDialog {
    QString text, title;
    Dialogs::Icon icon = Dialogs::Icon::None;
    Dialogs::Buttons buttons = Dialogs::Buttons::Ok;
    bool isPrompt = false;
    // A question's own buttons, and the ones Enter and Escape press.
    QStringList choices;
    int defaultChoice = -1, escapeChoice = -1;
};

class ScriptedDialogs : public Dialogs {
  public:
    QList<Answer> answers;   // for message boxes, in order; Ok once used up
    QStringList promptTexts; // for prompts, in order, or Cancel; empty once used up
    static inline const QString Cancel = u"<Annuler>"_qs;
    QStringList initialTexts; // what each prompt's field started with
    // For questions, in order: a button's index, or Enter or Escape; Escape once used up.
    static constexpr int Enter = -1, Escape = -2;
    QList<int> choices;
    QList<ShownDialog> shown;

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override {
        shown.append({text, title, icon, buttons, false, {}, -1, -1});
        return answers.isEmpty() ? Answer::Ok : answers.takeFirst();
    }
    std::optional<QString> prompt(const QString& text, const QString& title,
                                  const QString& initial) override {
        initialTexts << initial;
        shown.append({text, title, Icon::None, Buttons::OkCancel, true, {}, -1, -1});
        const QString typed = promptTexts.isEmpty() ? QString() : promptTexts.takeFirst();
        return typed == Cancel ? std::nullopt : std::optional<QString>(typed);
    }
    int question(const QString& text, const QString& title, const QStringList& buttons,
                 int defaultButton, int escapeButton) override {
        shown.append({text, title, Icon::Question, Buttons::OkCancel, false, buttons, defaultButton,
                      escapeButton});
        const int choice = choices.isEmpty() ? Escape : choices.takeFirst();
        return choice == Enter ? defaultButton : choice == Escape ? escapeButton : choice;
    }
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
};
