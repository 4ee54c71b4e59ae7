// The main window's logic on arbitrary texts in every field and arbitrary option
// states, then its handlers (and scale changes) in an arbitrary order. After each calculation
// either a message was shown or both result labels hold a time of a documented form; a horse is
// added only with the reduction of the inputs as they stand.

#include "addhorse.h"
#include "fchronologic.h"
#include "module1.h"

#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

namespace {

class CountingDialogs : public Dialogs {
  public:
    int shown = 0;
    Answer message(const QString&, const QString&, Icon, Buttons) override {
        ++shown;
        return Answer::Ok;
    }
    std::optional<QString> prompt(const QString&, const QString&, const QString&) override {
        return u"Eclair"_qs;
    }
    int question(const QString&, const QString&, const QStringList&, int, int escape) override {
        ++shown;
        return escape;
    }
};

// Reads the input as: option bits, then texts separated by 0xFF bytes, then one
// byte per handler to run.
struct Input {
    const uint8_t* p;
    const uint8_t* end;
    bool empty() const { return p >= end; }
    uint8_t byte() { return empty() ? 0 : *p++; }
    QString text() {
        const uint8_t* start = p;
        while (p < end && *p != 0xFF)
            ++p;
        const QString t = QString::fromUtf8(reinterpret_cast<const char*>(start), p - start);
        if (p < end)
            ++p;
        return t;
    }
};

bool documented(const QString& label) {
    static const QRegularExpression form(u"\\A([0-9]+:[0-9]{2}:[0-9]{2})?\\z"_qs);
    return form.match(label).hasMatch();
}

// Minutes or seconds as the margin entry writes them: two digits or more.
bool documentedField(const QString& field) {
    static const QRegularExpression form(u"\\A[0-9]{2,}\\z"_qs);
    return form.match(field).hasMatch();
}

// Field texts and options from the input; the labels as the program leaves them:
// empty or a result.
void readFields(Input& in, FchronoLogic& logic) {
    const uint8_t options = in.byte();
    logic.fields.Opt_chronok = options & 1;
    logic.fields.Opt_chronocj = options & 2;
    for (const auto& field : FchronoFields::textFields) {
        if (in.empty())
            break;
        logic.fields.*field.member = in.text();
    }
    if (!documented(logic.fields.LresultDistance))
        logic.fields.LresultDistance.clear();
    if (!documented(logic.fields.Lreduction))
        logic.fields.Lreduction.clear();
}

// A result's number is what its text reads back as.
void numberMatchesText(const std::optional<calc::Result>& result) {
    if (!result)
        return;
    const QStringList parts = result->text.split(u':');
    if (parts.size() != 3 ||
        Module1::TimeToHundredths(u"00"_qs, parts[0], parts[1], parts[2]) != result->hundredths)
        std::abort();
}

void calculate(FchronoLogic& logic, CountingDialogs& dialogs) {
    const int before = dialogs.shown;
    logic.Btcalcul_Click(dialogs);
    if (dialogs.shown == before &&
        (!documented(logic.fields.LresultDistance) || !documented(logic.fields.Lreduction)))
        std::abort();
    numberMatchesText(logic.Reduction);
    if (logic.Estimate)
        numberMatchesText(std::optional<calc::Result>(*logic.Estimate));
}

// The time with lengths is a copy of the plain time, missing, or a time the
// calculation can read.
void leaveMargin(FchronoLogic& logic) {
    logic.TNbrLongueur_LostFocus();
    const QString& margin = logic.fields.TNbrLongueur;
    if (margin.isEmpty() || margin == u"0" || margin == u"0,0")
        return;
    for (const QString* t : {&logic.fields.TminuteL, &logic.fields.TsecondeL})
        if (!t->isEmpty() && !documentedField(*t))
            std::abort();
}

// A horse is filed only with a reduction calculated from the inputs as they stand.
void addHorse(FchronoLogic& logic, CountingDialogs& dialogs) {
    const AddedHorse added = Bt_Ajoute_Click(logic, dialogs);
    if (added.line && (!logic.ReductionMatchesInputs() || logic.fields.Lreduction.isEmpty() ||
                       !added.line->startsWith(logic.fields.Lreduction + u" ---- "_qs)))
        std::abort();
}

// A scale from one byte: each rule, discipline and going; edited cells stay within
// the bounds the dialog and the settings file allow.
scale::Scale scaleFrom(uint8_t b) {
    scale::Scale s;
    s.lengths = static_cast<scale::LengthsRule>(b % 3);
    s.weight = static_cast<scale::WeightRule>(b / 3 % 3);
    s.discipline = static_cast<scale::Discipline>(b / 9 % 3);
    s.going = static_cast<scale::Going>(b / 27 % 3);
    if (b & 0x80) {
        s.lengthsTable[static_cast<size_t>(s.discipline)][static_cast<size_t>(s.going)] =
            scale::MaxLengthsPerSecond;
        s.metresPerLength = scale::MinMetresPerLength + 0.01;
        s.weightTable.fill(scale::MaxKilogramsPerLength);
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in{data, data + size};
    FchronoLogic logic;
    logic.Form_Load();
    readFields(in, logic);
    CountingDialogs dialogs;
    for (int steps = 0; !in.empty() && steps < 16; ++steps) {
        switch (in.byte() % 8) {
        case 0:
            calculate(logic, dialogs);
            break;
        case 1:
            leaveMargin(logic);
            break;
        case 2:
            logic.Tpoids_LostFocus();
            break;
        case 3:
            logic.tpoids2_LostFocus();
            break;
        case 4:
            logic.Opt_ChronokL_Click(dialogs);
            break;
        case 5:
            logic.Opt_ChronocjL_Click(dialogs);
            break;
        case 6:
            addHorse(logic, dialogs);
            break;
        case 7:
            logic.SetScale(scaleFrom(in.byte()));
            break;
        }
    }
    return 0;
}
