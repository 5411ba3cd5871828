#include "program/Language.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHash>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// Which language the programs speak, from the session's settings, and what
// using it brings: the programs' texts and Qt's own buttons.
class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void choice_data();
    void choice();
    void qtButtonsSpeakTheLanguage_data();
    void qtButtonsSpeakTheLanguage();
    void aMissingTranslationLeavesEnglish();
};

namespace {

class TableEnvironment : public Environment
{
public:
    explicit TableEnvironment(QHash<QString, QString> variables)
        : m_variables(std::move(variables))
    { }
    QString variable(const char* name) const override
    {
        return m_variables.value(QString::fromLatin1(name));
    }

private:
    QHash<QString, QString> m_variables;
};

const QStringList builtTranslations {QStringLiteral(JOBCOSTING_TRANSLATIONS_DIR)};

} // namespace

void TestLanguage::cleanup()
{
    Language::use({}, {});
}

void TestLanguage::choice_data()
{
    QTest::addColumn<QString>("all"); // LC_ALL
    QTest::addColumn<QString>("messages"); // LC_MESSAGES
    QTest::addColumn<QString>("lang"); // LANG
    QTest::addColumn<QString>("languages"); // LANGUAGE
    QTest::addColumn<QString>("chosen"); // empty: English

    const QString none;
    // The messages locale alone.
    QTest::newRow("nothing set is C") << none << none << none << none << none;
    QTest::newRow("C") << none << none << u"C"_s << none << none;
    QTest::newRow("C.UTF-8") << u"C.UTF-8"_s << none << none << none << none;
    QTest::newRow("POSIX") << none << u"POSIX"_s << none << none << none;
    QTest::newRow("English") << none << none << u"en_GB.UTF-8"_s << none << none;
    QTest::newRow("German") << none << none << u"de_DE.UTF-8"_s << none << u"de"_s;
    QTest::newRow("French of Canada") << none << none << u"fr_CA.UTF-8"_s << none << u"fr"_s;
    QTest::newRow("modifier") << none << none << u"es_ES@euro"_s << none << u"es"_s;
    QTest::newRow("a language we do not ship") << none << none << u"it_IT.UTF-8"_s << none << none;
    // Which of the three is the messages locale.
    QTest::newRow("LC_ALL over the others")
        << u"pl_PL.UTF-8"_s << u"de_DE.UTF-8"_s << u"fr_FR.UTF-8"_s << none << u"pl"_s;
    QTest::newRow("LC_MESSAGES over LANG")
        << none << u"de_DE.UTF-8"_s << u"en_US.UTF-8"_s << none << u"de"_s;
    QTest::newRow("English messages under a German LANG")
        << none << u"en_US.UTF-8"_s << u"de_DE.UTF-8"_s << none << none;
    QTest::newRow("LC_ALL C under a German LANG")
        << u"C.UTF-8"_s << none << u"de_DE.UTF-8"_s << u"de"_s << none;
    // LANGUAGE, a list, is read only under a locale that is not C or English.
    QTest::newRow("LANGUAGE under C") << none << none << u"C.UTF-8"_s << u"de"_s << none;
    QTest::newRow("LANGUAGE under English") << none << none << u"en_GB.UTF-8"_s << u"fr"_s << none;
    QTest::newRow("LANGUAGE over the locale")
        << none << none << u"de_DE.UTF-8"_s << u"fr"_s << u"fr"_s;
    QTest::newRow("first shipped of LANGUAGE")
        << none << none << u"it_IT.UTF-8"_s << u"it:pt_BR::es_ES:de"_s << u"es"_s;
    QTest::newRow("English first in LANGUAGE")
        << none << none << u"de_DE.UTF-8"_s << u"en_GB:de"_s << none;
    QTest::newRow("none of LANGUAGE shipped, then the locale")
        << none << none << u"pl_PL.UTF-8"_s << u"it:sv"_s << u"pl"_s;
    QTest::newRow("none shipped at all") << none << none << u"it_IT.UTF-8"_s << u"sv"_s << none;
    QTest::newRow("empty variables are unset")
        << QString(u""_s) << u""_s << u"fr_FR.UTF-8"_s << u""_s << u"fr"_s;
}

void TestLanguage::choice()
{
    QFETCH(QString, all);
    QFETCH(QString, messages);
    QFETCH(QString, lang);
    QFETCH(QString, languages);
    QFETCH(QString, chosen);

    const TableEnvironment environment({{u"LC_ALL"_s, all}, {u"LC_MESSAGES"_s, messages},
        {u"LANG"_s, lang}, {u"LANGUAGE"_s, languages}});
    QCOMPARE(Language::choose(environment, {u"de"_s, u"fr"_s, u"es"_s, u"pl"_s}), chosen);
}

void TestLanguage::qtButtonsSpeakTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("cancel");
    QTest::addColumn<QString>("yes");

    QTest::newRow("English") << QString() << u"Cancel"_s << u"Yes"_s;
    QTest::newRow("German") << u"de"_s << u"Abbrechen"_s << u"Ja"_s;
    QTest::newRow("French") << u"fr"_s << u"Annuler"_s << u"Oui"_s;
    QTest::newRow("Spanish") << u"es"_s << u"Cancelar"_s << u"Sí"_s;
    QTest::newRow("Polish") << u"pl"_s << u"Anuluj"_s << u"Tak"_s;
}

void TestLanguage::qtButtonsSpeakTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, cancel);
    QFETCH(QString, yes);

    QVERIFY(Language::translated().contains(language) || language.isEmpty());
    QVERIFY(Language::use(language, builtTranslations));
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text().remove(u'&'), yes);
    // The program's own texts come with them.
    QCOMPARE(QCoreApplication::translate("JobCosting", "Cancel"), cancel);
}

void TestLanguage::aMissingTranslationLeavesEnglish()
{
    QVERIFY(Language::use(u"de"_s, builtTranslations));
    QVERIFY(!Language::use(u"pl"_s, {u"/nonexistent"_s}));
    // Nothing of the German before is left either.
    QCOMPARE(QCoreApplication::translate("JobCosting", "Cancel"), u"Cancel"_s);
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), u"Cancel"_s);
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
