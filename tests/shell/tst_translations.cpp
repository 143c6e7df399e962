// Compares the program's translatable texts, as lupdate finds them in the sources,
// with the compiled Chinese translation the program loads.

#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

class TstTranslations : public QObject
{
    Q_OBJECT
private slots:
    void everyTextIsTranslated();
};

void TstTranslations::everyTextIsTranslated()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString ts = dir.filePath("sources_zh.ts");
    QProcess lupdate;
    lupdate.start(LV_LUPDATE, {"-silent", "-no-obsolete", "-locations", "none", LV_SOURCE_DIR, "-ts", ts});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);

    QTranslator translator;
    QVERIFY(translator.load(":/Trans/trans_zh"));

    QFile file(ts);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QString comment;
    int texts = 0;
    QStringList missing;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("message"))
            source.clear(), comment.clear();
        else if (xml.isStartElement() && xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("comment"))
            comment = xml.readElementText();
        else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            ++texts;
            const QByteArray c = context.toUtf8(), s = source.toUtf8(), d = comment.toUtf8();
            if (translator.translate(c, s, d.isEmpty() ? nullptr : d.constData()).isEmpty())
                missing << context + ": " + source;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY2(texts > 200, "lupdate found too few texts: is it reading the sources?");
    QVERIFY2(missing.isEmpty(), qPrintable(QString("%1 of %2 texts have no Chinese translation:\n  %3")
                                              .arg(missing.size()).arg(texts).arg(missing.join("\n  "))));
}

QTEST_MAIN(TstTranslations)
#include "tst_translations.moc"
