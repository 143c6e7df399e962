// Slider click and key arithmetic, the scale line's labels and snapping, the slider
// composite and the spin box.

#include "toolkit/qcustomslider.h"
#include "toolkit/qscaleline.h"
#include "toolkit/qwrapperslider.h"
#include "toolkit/qwrapperspinbox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

class TestSliders : public QObject {
    Q_OBJECT
private slots:
    void verticalClickSnaps_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("expected");
        QTest::newRow("middle") << 50 << -3000;
        QTest::newRow("rounds to tens") << 44 << -3000;
        QTest::newRow("near top takes max") << 1 << 0;
        QTest::newRow("near bottom takes min") << 99 << -6000;
        QTest::newRow("upper third") << 30 << -2000;  // v = -18 -> n = -23 -> -20
    }
    void verticalClickSnaps()
    {
        QFETCH(int, y);
        QFETCH(int, expected);
        QCustomSlider slider(Qt::Vertical);
        slider.setRange(-6000, 0);
        slider.resize(20, 100);
        QCOMPARE(slider.ValueForClick(QPointF(10, y)), expected);
        QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(10, y));
        QCOMPARE(slider.value(), expected);
    }

    void horizontalClick()
    {
        QCustomSlider slider(Qt::Horizontal);
        slider.setRange(0, 100);
        slider.resize(200, 20);
        QCOMPARE(slider.ValueForClick(QPointF(50, 10)), 25);
        QCOMPARE(slider.ValueForClick(QPointF(199.6, 10)), 100);
        QCOMPARE(slider.ValueForClick(QPointF(-5, 10)), 0);  // limited to the range
        QTest::mouseClick(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(150, 10));
        QCOMPARE(slider.value(), 75);
        // A slider without size has no position to map: the value stays.
        QCustomSlider empty(Qt::Horizontal);
        empty.setRange(0, 100);
        empty.setValue(40);
        empty.resize(0, 0);
        QCOMPARE(empty.ValueForClick(QPointF(0, 0)), 40);
    }

    void keySteps_data()
    {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("single");
        QTest::addColumn<int>("step");
        QTest::newRow("narrow range") << 1999 << 1 << 5;
        QTest::newRow("wide range") << 2000 << 1 << 15;
        QTest::newRow("zero single step counts as one") << 1999 << 0 << 5;
        QTest::newRow("single step 10") << 5000 << 10 << 150;
    }
    void keySteps()
    {
        QFETCH(int, max);
        QFETCH(int, single);
        QFETCH(int, step);
        QCustomSlider slider(Qt::Horizontal);
        slider.setRange(0, max);
        slider.setSingleStep(single);
        slider.setValue(500);
        QCOMPARE(slider.KeyStep(), step);
        QTest::keyClick(&slider, Qt::Key_Up);
        QCOMPARE(slider.value(), 500 + step);
        QTest::keyClick(&slider, Qt::Key_Left);
        QTest::keyClick(&slider, Qt::Key_Down);
        QCOMPARE(slider.value(), 500 - step);
        QTest::keyClick(&slider, Qt::Key_Right);
        QCOMPARE(slider.value(), 500);
        slider.setValue(1);
        QTest::keyClick(&slider, Qt::Key_Down);
        QCOMPARE(slider.value(), 0);  // limited to the range
    }

    void keyAdjustmentIsOnePressOneRelease()
    {
        QCustomSlider slider(Qt::Vertical);
        slider.setRange(0, 1000);
        QSignalSpy pressed(&slider, &QSlider::sliderPressed);
        QSignalSpy released(&slider, &QSlider::sliderReleased);
        QSignalSpy changed(&slider, &QSlider::valueChanged);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(&slider, Qt::Key_Up);
            QTest::qWait(100);
        }
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(released.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(released.count(), 1, 2000);
        QTest::qWait(700);
        QCOMPARE(released.count(), 1);
        // A new series starts with a new press.
        QTest::keyClick(&slider, Qt::Key_Down);
        QCOMPARE(pressed.count(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(released.count(), 2, 2000);
        // Other keys keep the standard handling and do not press.
        QTest::keyClick(&slider, Qt::Key_Home);
        QCOMPARE(slider.value(), 0);
        QCOMPARE(pressed.count(), 2);
    }

    void scaleLabels()
    {
        // 136 pixels for -60..0: two pixels per unit.
        QCOMPARE(QScaleLine::LabelBaseline(0, -60, 0, 136), 8);
        QCOMPARE(QScaleLine::LabelBaseline(-10, -60, 0, 136), 28);
        QCOMPARE(QScaleLine::LabelBaseline(-60, -60, 0, 136), 128);
        QCOMPARE(QScaleLine::LabelBaseline(-15, -60, 0, 136), -1);
        // 126 pixels for 0..55: the maximum is labelled at the top.
        QCOMPARE(QScaleLine::LabelBaseline(55, 0, 55, 126), 8);
        QCOMPARE(QScaleLine::LabelBaseline(50, 0, 55, 126), 18);
        QCOMPARE(QScaleLine::LabelBaseline(40, 0, 55, 126), 38);
        QCOMPARE(QScaleLine::LabelBaseline(0, 0, 55, 126), 118);
        // A minimum that is not a multiple of ten sits at the bottom.
        QCOMPARE(QScaleLine::LabelBaseline(-55, -55, 0, 126), 118);
        // A range of one value never divides by zero.
        QCOMPARE(QScaleLine::LabelBaseline(5, 5, 5, 126), 8);
        QCOMPARE(QScaleLine::LabelBaseline(0, 0, 0, 126), 8);
        // A reversed range draws nothing.
        QCOMPARE(QScaleLine::LabelBaseline(0, 10, 0, 126), -1);
    }

    void scaleLinePaintsEveryRange()
    {
        QCustomSlider slider(Qt::Vertical);
        for (auto range : {qMakePair(-60, 0), qMakePair(7, 7), qMakePair(10, 0)}) {
            QScaleLine scale(range.first, range.second, &slider);
            scale.resize(20, 136);
            QImage image(scale.size(), QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            scale.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            bool drawn = false;
            for (int y = 0; y < image.height() && !drawn; ++y)
                for (int x = 0; x < image.width() && !drawn; ++x)
                    drawn = qAlpha(image.pixel(x, y)) != 0;
            QCOMPARE(drawn, range.first <= range.second);
        }
    }

    void scaleClicks()
    {
        QCustomSlider slider(Qt::Vertical);
        slider.setRange(-6000, 0);
        slider.resize(20, 136);
        QScaleLine scale(-60, 0, &slider);
        scale.resize(20, 136);
        slider.setValue(-3000);
        QTest::mouseClick(&scale, Qt::LeftButton, Qt::NoModifier, QPoint(5, 9));
        QCOMPARE(slider.value(), 0);  // top rows: the maximum
        QTest::mouseClick(&scale, Qt::LeftButton, Qt::NoModifier, QPoint(5, 127));
        QCOMPARE(slider.value(), -6000);  // bottom rows: the minimum
        // y = 68: ratio 0.5, v = -30 -> n = -35 -> -30 -> -3000.
        QTest::mouseClick(&scale, Qt::LeftButton, Qt::NoModifier, QPoint(5, 68));
        QCOMPARE(slider.value(), -3000);
        // y = 40: ratio ~0.294, v ~ -17.6 -> n = -22 -> -20 -> -2000.
        QTest::mouseClick(&scale, Qt::LeftButton, Qt::NoModifier, QPoint(5, 40));
        QCOMPARE(slider.value(), -2000);
        scale.SetScaleEnable(false);
        QTest::mouseClick(&scale, Qt::LeftButton, Qt::NoModifier, QPoint(5, 9));
        QCOMPARE(slider.value(), -2000);
        QScaleLine orphan(-60, 0, nullptr);
        orphan.resize(20, 136);
        QTest::mouseClick(&orphan, Qt::LeftButton, Qt::NoModifier, QPoint(5, 60));  // no slider: nothing
    }

    void labelledComposite()
    {
        QWrapperSlider wrapper(-60, 0, Qt::Vertical);
        QVERIFY(wrapper.GetScaleLine());
        QVERIFY(wrapper.GetValueLabel());
        wrapper.SetRange(-6000, 0);
        QSignalSpy changed(&wrapper, &QWrapperSlider::valueChanged);
        wrapper.SetValue(-1234);
        QCOMPARE(wrapper.GetValueLabel()->text(), QStringLiteral("-12.34"));
        wrapper.SetValue(-600);
        QCOMPARE(wrapper.GetValueLabel()->text(), QStringLiteral("-6.00"));
        QCOMPARE(wrapper.GetValue(), -600);
        QCOMPARE(wrapper.GetMinValue(), -6000);
        QCOMPARE(wrapper.GetMaxValue(), 0);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().at(0).toInt(), -600);
        wrapper.SetDisplayValue(QStringLiteral("Muted"));
        QCOMPARE(wrapper.GetValueLabel()->text(), QStringLiteral("Muted"));
        QCOMPARE(wrapper.GetCustomSlider()->minimumWidth(), 24);
        QCOMPARE(wrapper.GetCustomSlider()->maximumWidth(), 24);
        QCOMPARE(wrapper.GetValueLabel()->size(), QSize(68, 24));
        QVERIFY(wrapper.GetCustomSlider()->styleSheet().contains(QStringLiteral("QSlider::groove:vertical")));
        QSignalSpy pressed(&wrapper, &QWrapperSlider::sliderPressed);
        QSignalSpy released(&wrapper, &QWrapperSlider::sliderReleased);
        QTest::keyClick(wrapper.GetCustomSlider(), Qt::Key_Up);
        QCOMPARE(pressed.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(released.count(), 1, 2000);
    }

    void bareComposite()
    {
        QWrapperSlider wrapper(Qt::Horizontal);
        QVERIFY(!wrapper.GetScaleLine());
        QVERIFY(!wrapper.GetValueLabel());
        wrapper.SetRange(0, 5000);
        wrapper.SetPageStep(100);
        wrapper.SetValue(-1234);  // limited by the slider, no label to update
        QCOMPARE(wrapper.GetValue(), 0);
        wrapper.SetValue(1234);
        QCOMPARE(wrapper.GetValue(), 1234);
        wrapper.SetDisplayValue(QStringLiteral("x"));  // nothing to show it in
        QCOMPARE(wrapper.GetCustomSlider()->pageStep(), 100);
        QCOMPARE(wrapper.GetCustomSlider()->maximumHeight(), 24);
        QVERIFY(wrapper.GetCustomSlider()->styleSheet().contains(QStringLiteral("QSlider::groove:horizontal")));
    }

    void spinBoxKeys()
    {
        QWrapperSpinBox spin;
        spin.setRange(0, 10);
        spin.setSingleStep(2);
        spin.setValue(9);
        KEY_PROPERTY p;
        spin.GetDefaultProperty(&p);
        QCOMPARE(p.bTable, quint8(1));
        QCOMPARE(p.pWidget, static_cast<QWidget*>(&spin));
        QTest::keyClick(&spin, Qt::Key_Up);
        QCOMPARE(spin.value(), 10);
        QTest::keyClick(&spin, Qt::Key_Up);
        QCOMPARE(spin.value(), 10);  // at the maximum: unchanged
        QTest::keyClick(&spin, Qt::Key_Down);
        QCOMPARE(spin.value(), 8);
        QTest::keyClicks(&spin, QStringLiteral("35"));
        QCOMPARE(spin.value(), 8);  // typed digits change nothing
        QVERIFY(spin.findChild<QLineEdit*>()->isReadOnly());
        spin.findChild<QLineEdit*>()->selectAll();
        QVERIFY(!spin.findChild<QLineEdit*>()->hasSelectedText());
        QCOMPARE(spin.contextMenuPolicy(), Qt::NoContextMenu);
        QVERIFY(!spin.testAttribute(Qt::WA_InputMethodEnabled));
        QInputMethodEvent im(QStringLiteral("7"), {});
        im.setCommitString(QStringLiteral("7"));
        QApplication::sendEvent(&spin, &im);
        QCOMPARE(spin.value(), 8);
    }

    void spinBoxMouseSignals()
    {
        QWrapperSpinBox spin;
        spin.resize(80, 24);
        QSignalSpy press(&spin, &QWrapperSpinBox::sigSpinMousePress);
        QSignalSpy release(&spin, &QWrapperSpinBox::sigSpinMouseRelease);
        QTest::mouseClick(&spin, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(press.count(), 0);
        QCOMPARE(release.count(), 0);
        QTest::mouseClick(&spin, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(press.count(), 1);
        QCOMPARE(release.count(), 1);
    }
};

QTEST_MAIN(TestSliders)
#include "tst_sliders.moc"
