#pragma once
// The modal dialogs the handlers need. The windows answer them with real message
// boxes and prompts; the tests answer them from a script.

#include <QString>
#include <QStringList>
#include <optional>

inline const QString ApplicationTitle = u"Orvanto"_qs;

class Dialogs {
  public:
    enum class Icon { None, Critical, Information, Question };
    enum class Buttons { Ok, OkCancel };
    enum class Answer { Ok, Cancel };

    virtual ~Dialogs() = default;
    virtual Answer message(const QString& text, const QString& title, Icon icon,
                           Buttons buttons) = 0;
    // The typed text, the field starting with `initial`; none on Cancel or Escape,
    // which a text left empty is not.
    virtual std::optional<QString> prompt(const QString& text, const QString& title,
                                          const QString& initial = QString()) = 0;
    // A question with buttons of its own, captioned `buttons`: the index of the one
    // pressed. Enter presses `defaultButton`; Escape or closing the box answers
    // `escapeButton`.
    virtual int question(const QString& text, const QString& title, const QStringList& buttons,
                         int defaultButton, int escapeButton) = 0;
    // One of `items` chosen (a long list: the windows show it in a list with a
    // filter), `initial` offered; none on Cancel. Without a list, the items are
    // in the prompt's text and the typed text is the answer.
    virtual std::optional<QString> choose(const QString& text, const QString& title,
                                          const QStringList& items, const QString& initial) {
        return prompt(text + u"\n"_qs + items.join(u'\n'), title, initial);
    }

    // A message under the application's title with its OK button: news, or a fault.
    void inform(const QString& text) {
        message(text, ApplicationTitle, Icon::Information, Buttons::Ok);
    }
    void warn(const QString& text) { message(text, ApplicationTitle, Icon::Critical, Buttons::Ok); }

    // A question answered "Oui" or "Non", under the application's title: whether
    // the answer was "Oui". Enter answers `enter`; Escape always answers "Non".
    enum class Default { Yes, No };
    bool askYesNo(const QString& text, Default enter = Default::No) {
        return question(text, ApplicationTitle, {u"Oui"_qs, u"Non"_qs},
                        enter == Default::Yes ? 0 : 1, 1) == 0;
    }
};

// For work done with no one to ask (reading a file at start, the command line):
// keeps the texts that would have been shown, answers every prompt with Cancel
// and every question with Escape.
class RecordingDialogs : public Dialogs {
  public:
    QStringList said;
    Answer message(const QString& text, const QString&, Icon, Buttons) override {
        said << text;
        return Answer::Ok;
    }
    std::optional<QString> prompt(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    int question(const QString& text, const QString&, const QStringList&, int,
                 int escapeButton) override {
        said << text;
        return escapeButton;
    }
};
