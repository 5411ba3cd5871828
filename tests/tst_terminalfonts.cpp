#include "ui/FormMetrics.h"
#include "ui/TerminalFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>
#include <fontconfig/fontconfig.h>

using namespace Qt::StringLiterals;

// The terminal's narrowed font lookup, made before the application as the
// program makes it: the faces it offers, how the design's and the generic
// families resolve, how text is rendered, and the fallback for scripts that
// the Liberation faces lack.
class TestTerminalFonts : public QObject
{
    Q_OBJECT

public:
    explicit TestTerminalFonts(bool narrowed)
        : m_narrowed(narrowed)
    { }

private slots:
    void onlyTheTerminalsFacesAreOffered();
    void familiesResolve_data();
    void familiesResolve();
    void renderingIsTheDesktopDefault();
    void otherScriptsFallBackToDejaVu();
    void aNamedConfigurationIsLeftAlone();

private:
    bool m_narrowed;
};

void TestTerminalFonts::onlyTheTerminalsFacesAreOffered()
{
    QVERIFY(m_narrowed);
    const QStringList families = QFontDatabase::families();
    QVERIFY(families.contains(u"Liberation Sans"_s));
    QVERIFY(families.contains(u"Liberation Sans Narrow"_s));
    FcPattern* any = FcPatternCreate();
    FcObjectSet* files = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* faces = FcFontList(nullptr, any, files);
    QStringList paths;
    for (int i = 0; faces && i < faces->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(faces->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
            paths << QString::fromUtf8(reinterpret_cast<const char*>(file));
    }
    if (faces)
        FcFontSetDestroy(faces);
    FcObjectSetDestroy(files);
    FcPatternDestroy(any);
    QVERIFY(!paths.isEmpty());
    for (const QString& path : paths)
        QVERIFY2(path.startsWith(u"/usr/share/fonts/truetype/liberation/"_s)
                || path.startsWith(u"/usr/share/fonts/truetype/dejavu/"_s),
            qPrintable(path));
}

void TestTerminalFonts::familiesResolve_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("family");
    QTest::newRow("Arial") << FormMetrics::font(u"Arial"_s, 9) << u"Liberation Sans"_s;
    QTest::newRow("Arial Narrow bold")
        << FormMetrics::font(u"Arial Narrow"_s, 14.25, true) << u"Liberation Sans Narrow"_s;
    QTest::newRow("MS Sans Serif")
        << FormMetrics::font(u"MS Sans Serif"_s, 9.75, true) << u"Liberation Sans"_s;
    // Message boxes and anything else that names no face.
    QTest::newRow("application default") << QApplication::font() << u"Liberation Sans"_s;
    QTest::newRow("a family not installed") << QFont(u"Tahoma"_s) << u"Liberation Sans"_s;
    QTest::newRow("serif") << QFont(u"serif"_s) << u"Liberation Serif"_s;
    QTest::newRow("monospace") << QFont(u"monospace"_s) << u"Liberation Mono"_s;
}

void TestTerminalFonts::familiesResolve()
{
    QFETCH(QFont, font);
    QFETCH(QString, family);
    QCOMPARE(QFontInfo(font).family(), family);
}

void TestTerminalFonts::renderingIsTheDesktopDefault()
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Liberation Sans:bold"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    QVERIFY(match);
    FcBool antialias = FcFalse;
    int hintStyle = -1, lcdFilter = -1;
    FcPatternGetBool(match, FC_ANTIALIAS, 0, &antialias);
    FcPatternGetInteger(match, FC_HINT_STYLE, 0, &hintStyle);
    FcPatternGetInteger(match, FC_LCD_FILTER, 0, &lcdFilter);
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    QVERIFY(antialias);
    QCOMPARE(hintStyle, int(FC_HINT_SLIGHT));
    QCOMPARE(lcdFilter, int(FC_LCD_DEFAULT));
}

void TestTerminalFonts::otherScriptsFallBackToDejaVu()
{
    // Georgian and Armenian names: letters that the Liberation faces lack.
    QTextLayout layout(
        u"\u10D0\u10DC\u10D0 \u0531\u0580\u0561"_s, FormMetrics::font(u"Arial"_s, 9));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    for (const QGlyphRun& run : layout.glyphRuns())
        faces << run.rawFont().familyName();
    QVERIFY2(faces.contains(u"DejaVu Sans"_s), qPrintable(faces.join(u", "_s)));
}

void TestTerminalFonts::aNamedConfigurationIsLeftAlone()
{
    qputenv("FONTCONFIG_FILE", "/etc/fonts/fonts.conf");
    const bool narrowedAgain = TerminalFonts::narrow();
    qunsetenv("FONTCONFIG_FILE");
    QVERIFY(!narrowedAgain);
}

int main(int argc, char* argv[])
{
    const bool narrowed = TerminalFonts::narrow();
    QApplication application(argc, argv);
    TestTerminalFonts test(narrowed);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_terminalfonts.moc"
