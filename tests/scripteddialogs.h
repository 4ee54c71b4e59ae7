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
};

class ScriptedDialogs : public Dialogs {
  public:
    QList<Answer> answers;   // for message boxes, in order; Ok once used up
    QStringList promptTexts; // for prompts, in order; empty once used up
    QList<int> choices;      // for questions, in order; the escape button once used up
    QList<ShownDialog> shown;

    Answer message(const QString& text, const QString& title, Icon icon, Buttons buttons) override {
        shown.append({text, title, icon, buttons, false});
        return answers.isEmpty() ? Answer::Ok : answers.takeFirst();
    }
    QString prompt(const QString& text, const QString& title) override {
        shown.append({text, title, Icon::None, Buttons::OkCancel, true});
        return promptTexts.isEmpty() ? QString() : promptTexts.takeFirst();
    }
    int question(const QString& text, const QString& title, const QStringList&, int,
                 int escapeButton) override {
        shown.append({text, title, Icon::Question, Buttons::OkCancel, false});
        return choices.isEmpty() ? escapeButton : choices.takeFirst();
    }
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
};
