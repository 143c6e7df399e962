#include "toolkit/qcolorpiecewidget.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/wcheckbox.h"

#include <QHBoxLayout>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "lvtestsupport.h"

// The titled panel and the labelled check box: two small composites of the pages.
class TestQColorPieceWidget : public QObject
{
    Q_OBJECT

private slots:
    void panelPaintsFrameAndSeparator()
    {
        auto* content = new QHBoxLayout;
        content->addWidget(new QLabel("content"));
        QColorPieceWidget panel("Input", content, nullptr);
        panel.resize(300, 120);
        const QImage image = panel.grab().toImage();
        QCOMPARE(image.pixelColor(0, 60).name(), QString("#474747"));
        QCOMPARE(image.pixelColor(299, 60).name(), QString("#474747"));
        QCOMPARE(image.pixelColor(150, 0).name(), QString("#474747"));
        QCOMPARE(image.pixelColor(150, 119).name(), QString("#474747"));
        QCOMPARE(image.pixelColor(1, 34).name(), QString("#535456"));
        QCOMPARE(image.pixelColor(298, 34).name(), QString("#535456"));
        QCOMPARE(image.pixelColor(299, 34).name(), QString("#474747"));   // the frame, not the separator
        QCOMPARE(image.pixelColor(150, 100).name(), QString("#2b2b2b"));
    }

    void panelTitleAndLayout()
    {
        auto* content = new QHBoxLayout;
        auto* inner = new QLabel("inner");
        inner->setFixedHeight(20);
        content->addWidget(inner);
        QColorPieceWidget panel("Video", content, nullptr);
        panel.resize(300, 200);
        panel.show();
        panel.layout()->activate();
        QLabel* title = panel.GetTitleLabel();
        QCOMPARE(title->text(), QString("Video"));
        QCOMPARE(title->height(), 32);
        QCOMPARE(inner->y(), 36);   // content starts under title and separator
        QCOMPARE(title->styleSheet(),
                 QString("QLabel{\t\tfont: bold 12px Arial;\t\tcolor: #ececec;\t\tpadding-left: 10px;\t\t}"));
        panel.SetTitleText("Processing");
        QCOMPARE(title->text(), QString("Processing"));
        panel.SetTitleTextColor(QColor(Qt::darkGray), false);
        QVERIFY(title->styleSheet().contains("color: #808080;"));
        panel.SetTitleTextColor(QColor(Qt::red), true);   // back to normal, colour ignored
        QVERIFY(title->styleSheet().contains("color: #ececec;"));
    }

    void textClickToggles()
    {
        QWrapperCheckBox box("Deinterlace", true, QColor("#9DA1A6"), QColor("#2B2B2B"), 0, nullptr);
        box.show();
        QSignalSpy spy(&box, &QWrapperCheckBox::clicked);
        box.SetChecked(true);
        QVERIFY(box.IsChecked());
        QCOMPARE(spy.count(), 0);   // setting the state is no click
        QTest::mouseClick(box.m_pTextButton, Qt::LeftButton);
        QVERIFY(!box.IsChecked());
        QCOMPARE(spy.count(), 1);
        QTest::mouseClick(box.m_pCheckBox, Qt::LeftButton);
        QVERIFY(box.IsChecked());
        QCOMPARE(spy.count(), 2);
        QTest::keyClick(box.m_pCheckBox, Qt::Key_Space);
        QVERIFY(!box.IsChecked());
        QCOMPARE(spy.count(), 3);
    }

    void checkBoxLook()
    {
        QWrapperCheckBox left("Mirror", true, QColor("#A0A0A0"), QColor("#2B2B2B"), 12, nullptr);
        QCOMPARE(left.m_pCheckBox->size(), QSize(20, 24));
        QCOMPARE(left.m_pTextButton->height(), 24);
        QCOMPARE(left.m_pTextButton->focusProxy(), static_cast<QWidget*>(left.m_pCheckBox));
        QVERIFY(left.m_pCheckBox->styleSheet().contains("margin-left: 12px"));
        QVERIFY(left.m_pCheckBox->styleSheet().contains(":/Widget/checkbox_checked_disabled"));
        QVERIFY(left.m_pTextButton->styleSheet().contains("text-align: left"));
        QVERIFY(left.m_pTextButton->styleSheet().contains("color: #a0a0a0"));
        QVERIFY(left.m_pTextButton->styleSheet().contains("QPushButton:disabled{color: #9DA1A6;}"));

        QWrapperCheckBox right("Flip", false, QColor("#A0A0A0"), QColor("#2B2B2B"), 0, nullptr);
        QVERIFY(right.m_pTextButton->styleSheet().contains("text-align: right"));
        right.SetText("Flip vertically");
        QCOMPARE(right.m_pTextButton->text(), QString("Flip vertically"));
    }

    void imagesExist()
    {
        for (const char* name : {"checkbox_unchecked", "checkbox_unchecked_hover", "checkbox_unchecked_disabled",
                                 "checkbox_checked", "checkbox_checked_hover", "checkbox_checked_disabled"})
            QVERIFY2(QFile::exists(QString(":/Widget/") + name), name);
    }

    void screenshot()
    {
        auto* content = new QVBoxLayout;
        content->setContentsMargins(16, 8, 16, 8);
        auto* enabled = new QWrapperCheckBox("Deinterlace", true, QColor("#9DA1A6"), QColor("#2B2B2B"), 0, nullptr);
        enabled->SetChecked(true);
        auto* disabled = new QWrapperCheckBox("Low latency", true, QColor("#9DA1A6"), QColor("#2B2B2B"), 0, nullptr);
        disabled->setEnabled(false);
        content->addWidget(enabled);
        content->addWidget(disabled);
        QColorPieceWidget panel("Input Processing", content, nullptr);
        panel.resize(300, 130);
        panel.show();
        QVERIFY(lvtest::saveScreenshot(&panel, "panel_with_checkboxes"));
    }
};

QTEST_MAIN(TestQColorPieceWidget)
#include "tst_qcolorpiecewidget.moc"
