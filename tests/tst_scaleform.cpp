// The "Barème…" dialog's decisions: typed values checked, tables reset, the
// choice written to the settings.
#include "correctionsettings.h"
#include "correctionsform.h"
#include "logichelpers.h"
#include "settings.h"

#include <QSignalSpy>

#include <QSettings>

struct ScaleFormRow {
    const char* name;
    QStringList typed = {}; // field=text; reset=lengths|weight|metres
    QString correct = {};   // the field OK puts the focus back in; empty: accepted
    QStringList kept = {};  // field=text as the accepted scale gives it back
};
Q_DECLARE_METATYPE(ScaleFormRow)

class TestScaleForm : public QObject {
    Q_OBJECT

  private slots:
    void scaleForm_data();
    void scaleForm();
    void correctionsForm_data();
    void correctionsForm();
    void correctionsKept();
    void settingsChanged_data();
    void settingsChanged();
};

void TestScaleForm::scaleForm_data() {
    QTest::addColumn<ScaleFormRow>("row");
    const QString flatSoft = u"longueurs_0_1"_qs;
    // clang-format off
    const ScaleFormRow rows[] = {
        {.name = "nothing typed", .kept = QStringList{"longueurs_0_1=5,5", "kg_2400=0,58", "metresParLongueur=2,4"}},
        {.name = "a cell edited, decimal point", .typed = QStringList{"longueurs_0_1=5.25"},
         .kept = QStringList{"longueurs_0_1=5,25"}},
        {.name = "a cell edited, blanks around", .typed = QStringList{"kg_2400= 0,6 "},
         .kept = QStringList{"kg_2400=0,6"}},
        {.name = "lengths table reset", .typed = QStringList{"longueurs_0_1=3", "longueurs_2_2=5", "reset=lengths"},
         .kept = QStringList{"longueurs_0_1=5,5", "longueurs_2_2=6"}},
        {.name = "weight table reset", .typed = QStringList{"kg_1000=2", "reset=weight"},
         .kept = QStringList{"kg_1000=1,52"}},
        {.name = "length size reset", .typed = QStringList{"metresParLongueur=3", "reset=metres"},
         .kept = QStringList{"metresParLongueur=2,4"}},
        {.name = "the highest values", .typed = QStringList{"longueurs_1_0=20", "kg_3200=10", "metresParLongueur=10"},
         .kept = QStringList{"longueurs_1_0=20", "kg_3200=10", "metresParLongueur=10"}},
        {.name = "not a number", .typed = QStringList{"longueurs_0_1=six"}, .correct = flatSoft},
        {.name = "empty cell", .typed = QStringList{"longueurs_2_0="}, .correct = "longueurs_2_0"},
        {.name = "zero lengths per second", .typed = QStringList{"longueurs_1_2=0"}, .correct = "longueurs_1_2"},
        {.name = "too many lengths per second", .typed = QStringList{"longueurs_0_0=20,5"},
         .correct = "longueurs_0_0"},
        {.name = "negative kilograms", .typed = QStringList{"kg_1450=-1"}, .correct = "kg_1450"},
        {.name = "a length of half a metre", .typed = QStringList{"metresParLongueur=0,5"},
         .correct = "metresParLongueur"},
        {.name = "the first wrong field in order", .typed = QStringList{"kg_1000=x", "longueurs_2_2=x"},
         .correct = "longueurs_2_2"},
    };
    // clang-format on
    for (const ScaleFormRow& r : rows)
        QTest::newRow(r.name) << r;
}

void TestScaleForm::scaleForm() {
    QFETCH(ScaleFormRow, row);
    ScaleForm form = ScaleForm::of(scaleNamed(u"terrain poids-distance"_qs));
    const auto cell = [](ScaleForm& f, const QString& name) -> QString& {
        for (size_t d = 0; d < scale::DisciplineCount; ++d)
            for (size_t g = 0; g < scale::GoingCount; ++g)
                if (name == ScaleForm::lengthsCellName(d, g))
                    return f.lengthsCells[d][g];
        for (size_t row = 0; row < scale::DistanceRows.size(); ++row)
            if (name == ScaleForm::weightCellName(row))
                return f.weightCells[row];
        if (name != ScaleForm::MetresPerLengthName)
            qFatal("unknown field %s", qPrintable(name));
        return f.metresPerLength;
    };
    for (const QString& t : row.typed) {
        const QString name = t.section(u'=', 0, 0), text = t.section(u'=', 1);
        if (t == u"reset=lengths")
            form.resetLengthsTable();
        else if (t == u"reset=weight")
            form.resetWeightTable();
        else if (t == u"reset=metres")
            form.resetMetresPerLength();
        else
            cell(form, name) = text;
    }
    QTemporaryDir folder;
    const QString ini = folder.filePath(u"Orvanto.ini"_qs);
    ScriptedDialogs dialogs;
    Settings settings(ini);
    const ScaleAccepted accepted = acceptScaleForm(form, settings, dialogs);
    QCOMPARE(accepted.correct, row.correct);
    QCOMPARE(accepted.scale.has_value(), row.correct.isEmpty());
    if (!row.correct.isEmpty()) {
        // The value as row.typed, what it is, and no file.
        QCOMPARE(dialogs.shown.size(), 1);
        const QString typedText = cell(form, row.correct).trimmed();
        QVERIFY(dialogs.shown[0].text.startsWith(
            typedText.isEmpty() ? u"Il manque une valeur pour "_qs
                                : u"« "_qs + typedText + u" » ne convient pas pour "_qs));
        QVERIFY(!QFile::exists(ini));
        return;
    }
    QVERIFY(dialogs.shown.isEmpty());
    QVERIFY(scale::readScale(ini) == *accepted.scale);
    QCOMPARE(accepted.scale->lengths, scale::LengthsRule::DisciplineGoing);
    QCOMPARE(accepted.scale->weight, scale::WeightRule::ByDistance);
    ScaleForm back = ScaleForm::of(*accepted.scale);
    for (const QString& k : row.kept)
        QCOMPARE(cell(back, k.section(u'=', 0, 0)), k.section(u'=', 1));
    // A settings file that cannot be written: said, and the scale still used.
    ScriptedDialogs failing;
    Settings unwritable(ini + u"/x.ini"_qs);
    const ScaleAccepted unsaved = acceptScaleForm(form, unwritable, failing);
    QVERIFY(unsaved.scale == accepted.scale);
    QVERIFY(unwritable.scale() == *accepted.scale);
    QCOMPARE(failing.shown.size(), 1);
    QVERIFY(failing.shown[0].text.endsWith(u"Il s'applique jusqu'à la fermeture du programme."_qs));
}

void TestScaleForm::settingsChanged_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("writable");
    using K = Settings::Key;
    for (const bool writable : {true, false})
        for (const K key : {K::Scale, K::Corrections, K::AlsoList, K::Chances})
            QTest::addRow("%s%s", QMetaEnum::fromType<K>().valueToKey(int(key)),
                          writable ? "" : ", the file not writable")
                << int(key) << writable;
}

// One object writes the three settings: each change told once by its key, kept
// in the file; a file that cannot be written said, the scale and "also list" in
// force all the same, a corrections table not taken.
void TestScaleForm::settingsChanged() {
    QFETCH(int, key);
    QFETCH(bool, writable);
    QTemporaryDir folder;
    const QString path = folder.filePath(writable ? u"Orvanto.ini"_qs : u"absent/x/Orvanto.ini"_qs);
    if (!writable) // a file stands where the folder should be
        QVERIFY(QFile(folder.filePath(u"absent"_qs)).open(QIODevice::WriteOnly));
    Settings settings(path);
    QSignalSpy changed(&settings, &Settings::changed);
    scale::Scale s;
    s.lengths = scale::LengthsRule::DisciplineGoing;
    calc::CorrectionTable t;
    t.d4 = -3;
    const chances::Fits fits{chances::Fit{2.25, 61}, chances::Fit{}, chances::Fit{4.5, 3}};
    const auto set = [&] {
        switch (static_cast<Settings::Key>(key)) {
        case Settings::Key::Scale:
            return settings.setScale(s);
        case Settings::Key::Corrections:
            return settings.setCorrections(t);
        case Settings::Key::AlsoList:
            return settings.setAlsoList(false);
        case Settings::Key::Chances:
            return settings.setFits(fits, {0.62, 0.71, 240}, QDate(2026, 12, 9));
        }
        return QString();
    };
    QCOMPARE(set().isEmpty(), writable);
    const bool taken = writable || key != int(Settings::Key::Corrections);
    QCOMPARE(changed.size(), taken ? 1 : 0);
    if (taken)
        QCOMPARE(changed[0][0].value<Settings::Key>(), static_cast<Settings::Key>(key));
    (void)set(); // the same again: nothing changes
    QCOMPARE(changed.size(), taken ? 1 : 0);
    const Settings again(path);
    QCOMPARE(again.scale() == s, writable && key == int(Settings::Key::Scale));
    QCOMPARE(again.corrections() == t, writable && key == int(Settings::Key::Corrections));
    QCOMPARE(again.alsoList(), !(writable && key == int(Settings::Key::AlsoList)));
    const bool fitted = writable && key == int(Settings::Key::Chances);
    QCOMPARE(again.fits() == fits, fitted);
    QCOMPARE(again.blend() == (blend::Weights{0.62, 0.71, 240}), fitted);
    QCOMPARE(again.fitted(), fitted ? QDate(2026, 12, 9) : QDate());
}

QTEST_GUILESS_MAIN(TestScaleForm)
void TestScaleForm::correctionsForm_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("d4"); // the table's D4 figure afterwards
    QTest::newRow("as shown") << -1 << QString() << true << -2.0;
    QTest::newRow("D4 at 1,5 s, a decimal point") << 3 << u"-1.5"_qs << true << -1.5;
    QTest::newRow("D4 not a number") << 3 << u"deux"_qs << false << 0.0;
    QTest::newRow("D4 beyond the bounds") << 3 << u"-12"_qs << false << 0.0;
    QTest::newRow("the soft going beyond the bounds") << 13 << u"11"_qs << false << 0.0;
    QTest::newRow("the soft going at 1,2 s") << 13 << u"1,2"_qs << true << -2.0;
}

void TestScaleForm::correctionsForm() {
    QFETCH(int, cell);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(double, d4);
    CorrectionsForm form = CorrectionsForm::of({});
    QCOMPARE(form.cells.size(), form.labels().size());
    QCOMPARE(form.labels()[3], u"Déferré des quatre (D4)"_qs);
    if (cell >= 0)
        form.cells[cell] = typed;
    ScriptedDialogs dialogs;
    const CorrectionsForm::Read read = form.read(dialogs);
    QCOMPARE(read.table.has_value(), accepted);
    QCOMPARE(dialogs.shown.size(), accepted ? 0 : 1);
    if (!accepted) {
        QCOMPARE(read.badCell, cell);
        return;
    }
    QCOMPARE(read.table->d4, d4);
    // What it reads is what it shows once filled again.
    QCOMPARE(CorrectionsForm::of(*read.table).read(dialogs).table, read.table);
}

void TestScaleForm::correctionsKept() {
    QTemporaryDir folder;
    const QString ini = folder.filePath(u"Orvanto.ini"_qs);
    QCOMPARE(calc::readCorrections(ini), calc::CorrectionTable{}); // no file: the defaults
    calc::CorrectionTable edited;
    edited.d4 = -1.5;
    edited.going = {0, 0.4, 1.1};
    // Written beside the scale, which stays.
    QVERIFY(scale::writeScale(scaleNamed(u"terrain"_qs), ini).isEmpty());
    QVERIFY(calc::writeCorrections(edited, ini).isEmpty());
    QCOMPARE(calc::readCorrections(ini), edited);
    QCOMPARE(scale::readScale(ini), scaleNamed(u"terrain"_qs));
    QVERIFY(scale::writeScale(scaleNamed(u"vitesse"_qs), ini).isEmpty());
    QCOMPARE(calc::readCorrections(ini), edited);
    // The main window's line says when the sheet's corrections are not the original ones.
    FchronoLogic logic;
    const QString line = logic.ScaleLine();
    logic.fields.corrections = edited;
    QCOMPARE(logic.ScaleLine(), line + u" · corrections modifiées (course du jour)"_qs);
    // A figure out of bounds in the file: the defaults, not half a table.
    QSettings(ini, QSettings::IniFormat).setValue(u"corrections/DA"_qs, u"99"_qs);
    QCOMPARE(calc::readCorrections(ini), calc::CorrectionTable{});
}

#include "tst_scaleform.moc"
