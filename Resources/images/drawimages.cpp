// Draws every image of the program's resource tree in the dark look and writes a
// .qrc that compiles them in under their resource names (":/Folder/name", no
// extension). Run at build time: drawimages <output directory>.
//
// Still images are PNG; the two busy animations are GIF (QMovie plays them with the
// "gif" format), written by the small encoder at the end of this file because Qt
// reads GIF but does not write it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <QVector>

#include <cmath>
#include <functional>

namespace {

// ---- palette of the dark look ----
const QColor kText(236, 236, 236);
const QColor kTextDisabled(131, 131, 131);
const QColor kBlue(27, 157, 255);
const QColor kBlueHover(70, 184, 255);
const QColor kBluePressed(26, 142, 230);
const QColor kRed(221, 55, 55);
const QColor kGreen(46, 190, 110);
const QColor kGrey(157, 161, 166);

struct Face {
    QColor fill;
    QColor border;
    QColor glyph;
    bool focusRing;
};

// Button states of the standard family and the face each shows.
Face faceFor(const QString& state, bool blue = false)
{
    const QColor normal = blue ? kBlue : QColor(62, 65, 70);
    const QColor hover = blue ? kBlueHover : QColor(74, 78, 84);
    const QColor pressed = blue ? kBluePressed : QColor(46, 48, 52);
    const QColor edge = blue ? QColor(20, 120, 200) : QColor(80, 84, 90);
    if (state == QLatin1String("_hover"))
        return {hover, edge.lighter(115), kText, false};
    if (state == QLatin1String("_pressed"))
        return {pressed, edge, kText, false};
    if (state == QLatin1String("_focus_mouse"))
        return {normal, edge.lighter(110), kText, false};
    if (state == QLatin1String("_focus"))
        return {normal, kBlue, kText, true};
    if (state == QLatin1String("_focus_hover"))
        return {hover, kBlue, kText, true};
    if (state == QLatin1String("_focus_pressed"))
        return {pressed, kBlue, kText, true};
    if (state == QLatin1String("_disabled"))
        return {QColor(48, 49, 51), QColor(58, 59, 61), kTextDisabled, false};
    return {normal, edge, kText, false};
}

const QStringList kStandardStates{QString(),       QStringLiteral("_hover"),
                                  QStringLiteral("_pressed"), QStringLiteral("_focus_mouse"),
                                  QStringLiteral("_focus"),   QStringLiteral("_focus_hover"),
                                  QStringLiteral("_focus_pressed"), QStringLiteral("_disabled")};

QImage canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void frame(QPainter& p, const QRectF& r, const Face& f, qreal radius)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(f.border, f.focusRing ? 2.0 : 1.0));
    p.setBrush(f.fill);
    const qreal inset = f.focusRing ? 1.0 : 0.5;
    p.drawRoundedRect(r.adjusted(inset, inset, -inset, -inset), radius, radius);
}

// A chevron pointing `dir` ('u', 'd', 'l', 'r') centred in `r`, `size` across.
void chevron(QPainter& p, const QRectF& r, char dir, qreal size, const QColor& c, qreal width = 2.0)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF m = r.center();
    const qreal a = size / 2.0;
    const qreal b = size / 4.0;
    QPolygonF line;
    switch (dir) {
    case 'u': line << QPointF(m.x() - a, m.y() + b) << QPointF(m.x(), m.y() - b) << QPointF(m.x() + a, m.y() + b); break;
    case 'd': line << QPointF(m.x() - a, m.y() - b) << QPointF(m.x(), m.y() + b) << QPointF(m.x() + a, m.y() - b); break;
    case 'l': line << QPointF(m.x() + b, m.y() - a) << QPointF(m.x() - b, m.y()) << QPointF(m.x() + b, m.y() + a); break;
    default: line << QPointF(m.x() - b, m.y() - a) << QPointF(m.x() + b, m.y()) << QPointF(m.x() - b, m.y() + a); break;
    }
    p.drawPolyline(line);
}

void tick(QPainter& p, const QRectF& r, const QColor& c, qreal width)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(QVector<QPointF>{QPointF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.52),
                             QPointF(r.left() + r.width() * 0.42, r.top() + r.height() * 0.74),
                             QPointF(r.left() + r.width() * 0.8, r.top() + r.height() * 0.3)}));
}

void cross(QPainter& p, const QRectF& r, const QColor& c, qreal width)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void warningSign(QPainter& p, const QRectF& r, const QColor& fill)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(r.center().x(), r.top());
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(fill, r.width() / 12.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(QPen(QColor(40, 40, 40), r.width() / 9.0, Qt::SolidLine, Qt::RoundCap));
    const qreal x = r.center().x();
    p.drawLine(QPointF(x, r.top() + r.height() * 0.35), QPointF(x, r.top() + r.height() * 0.68));
    p.drawPoint(QPointF(x, r.top() + r.height() * 0.84));
}

void speaker(QPainter& p, const QRectF& r, const QColor& c)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal s = r.height();
    const QPointF o = r.topLeft();
    QPolygonF body(QVector<QPointF>{o + QPointF(0, s * 0.35), o + QPointF(s * 0.25, s * 0.35), o + QPointF(s * 0.55, s * 0.08),
                   o + QPointF(s * 0.55, s * 0.92), o + QPointF(s * 0.25, s * 0.65), o + QPointF(0, s * 0.65)});
    p.drawPolygon(body);
}

// ---- output ----

struct Output {
    QDir dir;
    QString qrc;
    QString list;  // "Folder/name WxH" per line: what was drawn, for the build log
    QString currentPrefix;

    void save(const QString& folder, const QString& name, const QImage& image)
    {
        dir.mkpath(folder);
        const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!image.save(dir.filePath(file), "PNG"))
            qFatal("cannot write %s", qPrintable(file));
        add(folder, name, file, image.size());
    }

    void add(const QString& folder, const QString& name, const QString& file, const QSize& size)
    {
        qrc += QStringLiteral("  <qresource prefix=\"/%1\"><file alias=\"%2\">%3</file></qresource>\n")
                   .arg(folder, name, file);
        list += QStringLiteral("%1/%2 %3x%4\n").arg(folder, name).arg(size.width()).arg(size.height());
    }
};

// ---- GIF writer (uncompressed LZW: a clear code before the code table grows) ----

QByteArray gifAnimation(const QVector<QImage>& frames, int delayCs)
{
    const int w = frames.first().width();
    const int h = frames.first().height();
    // Palette: index 0 transparent, then a 6 x 7 x 6 colour cube.
    QVector<QRgb> palette(256, qRgb(0, 0, 0));
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                palette[1 + (r * 7 + g) * 6 + b] = qRgb(r * 51, g * 255 / 6, b * 51);
    auto index = [](QRgb c) -> int {
        if (qAlpha(c) < 128)
            return 0;
        const int a = qAlpha(c);
        const int r = qRed(c) * 255 / a, g = qGreen(c) * 255 / a, b = qBlue(c) * 255 / a;
        return 1 + ((qBound(0, (r + 25) / 51, 5) * 7 + qBound(0, (g * 6 + 127) / 255, 6)) * 6
                    + qBound(0, (b + 25) / 51, 5));
    };
    auto le16 = [](QByteArray& out, int v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };

    QByteArray out("GIF89a");
    le16(out, w);
    le16(out, h);
    out.append(char(0xF7));  // global colour table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);  // loop forever

    for (const QImage& f : frames) {
        const QImage img = f.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        out.append("\x21\xF9\x04", 3);
        out.append(char(0x09));  // restore to background, transparent index present
        le16(out, delayCs);
        out.append(char(0));
        out.append(char(0));
        out.append(char(0x2C));
        le16(out, 0);
        le16(out, 0);
        le16(out, w);
        le16(out, h);
        out.append(char(0));
        out.append(char(8));  // minimum code size

        QByteArray data;
        quint32 bits = 0;
        int bitCount = 0;
        auto emitCode = [&](int code) {
            bits |= quint32(code) << bitCount;
            bitCount += 9;
            while (bitCount >= 8) {
                data.append(char(bits & 0xFF));
                bits >>= 8;
                bitCount -= 8;
            }
        };
        int sinceClear = 0;
        emitCode(256);
        for (int y = 0; y < h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (sinceClear == 250) {
                    emitCode(256);
                    sinceClear = 0;
                }
                emitCode(index(line[x]));
                ++sinceClear;
            }
        }
        emitCode(257);
        if (bitCount > 0)
            data.append(char(bits & 0xFF));
        for (int i = 0; i < data.size(); i += 255) {
            const int n = qMin(255, data.size() - i);
            out.append(char(n));
            out.append(data.mid(i, n));
        }
        out.append(char(0));
    }
    out.append(char(0x3B));
    return out;
}

QVector<QImage> spinnerFrames(int size)
{
    QVector<QImage> frames;
    const int dots = 8;
    for (int f = 0; f < dots; ++f) {
        QImage img = canvas(size, size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        const qreal radius = size * 0.36;
        const qreal dot = size * 0.09;
        for (int i = 0; i < dots; ++i) {
            const qreal angle = 2.0 * M_PI * i / dots - M_PI / 2.0;
            const int age = (f - i + dots) % dots;  // 0 = the brightest dot
            QColor c = age == 0 ? kBlue : (age < 3 ? kBlueHover : QColor(90, 94, 100));
            p.setBrush(c);
            const QPointF centre(size / 2.0 + radius * std::cos(angle), size / 2.0 + radius * std::sin(angle));
            p.drawEllipse(centre, dot * (age == 0 ? 1.3 : 1.0), dot * (age == 0 ? 1.3 : 1.0));
        }
        frames.append(img);
    }
    return frames;
}

void saveGif(Output& out, const QString& folder, const QString& name, int size)
{
    out.dir.mkpath(folder);
    const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".gif");
    QFile f(out.dir.filePath(file));
    if (!f.open(QIODevice::WriteOnly) || f.write(gifAnimation(spinnerFrames(size), 10)) < 0)
        qFatal("cannot write %s", qPrintable(file));
    out.add(folder, name, file, QSize(size, size));
}

// ---- the families ----

// A push button of the standard family (and extra states), with an optional glyph.
void buttonFamily(Output& out, const QString& folder, const QString& base, const QSize& size,
                  const QStringList& states, bool blue,
                  const std::function<void(QPainter&, const QRectF&, const Face&)>& glyph = {})
{
    for (const QString& state : states) {
        QImage img = canvas(size.width(), size.height());
        QPainter p(&img);
        const Face f = faceFor(state, blue);
        frame(p, QRectF(0, 0, size.width(), size.height()), f, 4);
        if (glyph)
            glyph(p, QRectF(0, 0, size.width(), size.height()), f);
        p.end();
        out.save(folder, base + state, img);
    }
}

void moveButtons(Output& out, const QString& folder, const QSize& size)
{
    const QList<QPair<QString, char>> kinds{{QStringLiteral("up"), 'u'}, {QStringLiteral("down"), 'd'},
                                            {QStringLiteral("left"), 'l'}, {QStringLiteral("right"), 'r'}};
    for (const auto& kind : kinds) {
        const char dir = kind.second;
        buttonFamily(out, folder, QStringLiteral("btn_move_") + kind.first, size, kStandardStates, false,
                     [dir](QPainter& p, const QRectF& r, const Face& f) { chevron(p, r, dir, 10, f.glyph); });
    }
}

void muteButtons(Output& out)
{
    const QSize size(32, 32);
    QStringList plain = kStandardStates;
    plain.removeAll(QStringLiteral("_disabled"));
    auto glyph = [](bool muted) {
        return [muted](QPainter& p, const QRectF& r, const Face& f) {
            const QRectF icon(r.center().x() - 8, r.center().y() - 7, 14, 14);
            speaker(p, icon, muted ? kRed : f.glyph);
            p.setRenderHint(QPainter::Antialiasing);
            if (muted) {
                cross(p, QRectF(icon.left() + 10, icon.top() + 4, 6, 6), kRed, 1.6);
            } else {
                p.setPen(QPen(f.glyph, 1.4, Qt::SolidLine, Qt::RoundCap));
                p.setBrush(Qt::NoBrush);
                p.drawArc(QRectF(icon.left() + 4, icon.top() + 3, 10, 8), -50 * 16, 100 * 16);
                p.drawArc(QRectF(icon.left() + 2, icon.top() + 0.5, 14, 13), -50 * 16, 100 * 16);
            }
        };
    };
    buttonFamily(out, QStringLiteral("MuteButton"), QStringLiteral("btn_mute"), size, plain, false, glyph(false));
    buttonFamily(out, QStringLiteral("MuteButton"), QStringLiteral("btn_mute_checked"), size, plain, false, glyph(true));
}

// Tab buttons: rounded only on the outer ends of the row; checked tabs are blue.
void tabButtons(Output& out)
{
    const QSize size(152, 32);
    struct Shape { QString name; bool roundLeft; bool roundRight; QStringList states; };
    const QStringList family{QString(), QStringLiteral("_hover"), QStringLiteral("_pressed"),
                             QStringLiteral("_checked"), QStringLiteral("_checked_focus_mouse"),
                             QStringLiteral("_checked_focus"), QStringLiteral("_disabled")};
    const QList<Shape> shapes{
        {QStringLiteral("btn_tab_first"), true, false, family},
        {QStringLiteral("btn_tab_middle"), false, false, family},
        {QStringLiteral("btn_tab_last"), false, true, family},
        {QStringLiteral("btn_tab_only"), true, true,
         {QString(), QStringLiteral("_focus_mouse"), QStringLiteral("_focus"), QStringLiteral("_disabled")}}};
    for (const Shape& shape : shapes) {
        for (const QString& state : shape.states) {
            QColor fill(48, 50, 54), border(30, 31, 33);
            bool ring = false;
            if (state == QLatin1String("_hover"))
                fill = QColor(62, 65, 70);
            else if (state == QLatin1String("_pressed"))
                fill = QColor(40, 42, 45);
            else if (state.startsWith(QLatin1String("_checked")) || shape.name == QLatin1String("btn_tab_only"))
                fill = kBlue;
            if (state.endsWith(QLatin1String("_focus")))
                ring = true;
            if (state == QLatin1String("_disabled"))
                fill = QColor(44, 45, 47);
            QImage img = canvas(size.width(), size.height());
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            const QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
            QPainterPath path;
            const qreal rad = 4;
            path.moveTo(r.left() + (shape.roundLeft ? rad : 0), r.top());
            path.lineTo(r.right() - (shape.roundRight ? rad : 0), r.top());
            if (shape.roundRight)
                path.quadTo(r.topRight(), QPointF(r.right(), r.top() + rad));
            path.lineTo(r.right(), r.bottom() - (shape.roundRight ? rad : 0));
            if (shape.roundRight)
                path.quadTo(r.bottomRight(), QPointF(r.right() - rad, r.bottom()));
            path.lineTo(r.left() + (shape.roundLeft ? rad : 0), r.bottom());
            if (shape.roundLeft)
                path.quadTo(r.bottomLeft(), QPointF(r.left(), r.bottom() - rad));
            path.lineTo(r.left(), r.top() + (shape.roundLeft ? rad : 0));
            if (shape.roundLeft)
                path.quadTo(r.topLeft(), QPointF(r.left() + rad, r.top()));
            path.closeSubpath();
            p.setPen(QPen(border, 1));
            p.setBrush(fill);
            p.drawPath(path);
            if (ring) {
                // Keyboard focus: a light inner frame that shows on the blue face.
                p.setPen(QPen(kText, 1.5));
                p.setBrush(Qt::NoBrush);
                p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 3, 3);
            }
            p.end();
            out.save(QStringLiteral("TabButton"), shape.name + state, img);
        }
    }
}

QImage systemButton(const QString& kind, const QString& state)
{
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QColor glyph = kGrey;
    if (state == QLatin1String("_hover") || state == QLatin1String("_pressed")) {
        p.setPen(Qt::NoPen);
        p.setBrush(kind == QLatin1String("close") ? (state == QLatin1String("_hover") ? kRed : kRed.darker(130))
                                                  : (state == QLatin1String("_hover") ? QColor(70, 72, 76) : QColor(50, 52, 56)));
        p.drawRoundedRect(QRectF(2, 2, 20, 20), 3, 3);
        glyph = kText;
    } else if (state == QLatin1String("_disabled")) {
        glyph = QColor(80, 80, 80);
    }
    if (kind == QLatin1String("close")) {
        cross(p, QRectF(7.5, 7.5, 9, 9), glyph, 1.6);
    } else {
        p.setPen(QPen(glyph, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(7, 12.5), QPointF(17, 12.5));
    }
    return img;
}

// A ringed tick (success) or cross (failure), as the update cell and the software
// update dialog show them; every measure scales with the square's size.
QImage statusBadge(int size, const QColor& c, bool ok)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal margin = size * 0.075;
    p.setPen(QPen(c, qMax<qreal>(4, size / 24.0)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    const qreal stroke = size / 15.0;
    if (ok) {
        const qreal inset = size * 0.17;
        tick(p, QRectF(inset, inset, size - 2 * inset, size - 2 * inset), c, stroke);
    } else {
        const qreal inset = size * 0.345;
        cross(p, QRectF(inset, inset, size - 2 * inset, size - 2 * inset), c, stroke);
    }
    p.end();
    return img;
}

void widgetImages(Output& out)
{
    const QString w = QStringLiteral("Widget");
    for (const QString& kind : {QStringLiteral("close"), QStringLiteral("min")})
        for (const QString& state : {QString(), QStringLiteral("_hover"), QStringLiteral("_pressed"), QStringLiteral("_disabled")})
            out.save(w, kind + state, systemButton(kind, state));

    // Arrows of combo boxes, spin boxes and scroll bars.
    const QList<QPair<QString, QColor>> arrowStates{{QString(), kGrey}, {QStringLiteral("_hover"), kBlue},
                                                    {QStringLiteral("_pressed"), kBluePressed},
                                                    {QStringLiteral("_disabled"), QColor(86, 87, 89)}};
    for (const auto& s : arrowStates) {
        for (const auto& a : {qMakePair(QStringLiteral("up_arrow"), 'u'), qMakePair(QStringLiteral("down_arrow"), 'd')}) {
            QImage img = canvas(16, 14);
            QPainter p(&img);
            chevron(p, QRectF(0, 0, 16, 14), a.second, 8, s.second, 1.6);
            p.end();
            out.save(w, a.first + s.first, img);
        }
    }
    for (const auto& a : {qMakePair(QStringLiteral("left_arrow"), 'l'), qMakePair(QStringLiteral("right_arrow"), 'r')}) {
        QImage img = canvas(14, 16);
        QPainter p(&img);
        chevron(p, QRectF(0, 0, 14, 16), a.second, 8, kGrey, 1.6);
        p.end();
        out.save(w, a.first, img);
    }

    // Slider handle: a round knob.
    const QList<QPair<QString, QColor>> knobs{{QString(), QColor(220, 222, 225)}, {QStringLiteral("_hover"), QColor(255, 255, 255)},
                                              {QStringLiteral("_press"), kBlueHover}, {QStringLiteral("_disable"), QColor(110, 110, 110)}};
    for (const auto& k : knobs) {
        QImage img = canvas(20, 20);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(20, 20, 20), 1));
        p.setBrush(k.second);
        p.drawEllipse(QRectF(2.5, 2.5, 15, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(k.first == QLatin1String("_disable") ? QColor(80, 80, 80) : kBlue);
        p.drawEllipse(QRectF(7, 7, 6, 6));
        p.end();
        out.save(w, QStringLiteral("slider_handle") + k.first, img);
    }

    // Check box indicators, 14 x 14.
    for (bool checked : {false, true}) {
        for (const QString& state : {QString(), QStringLiteral("_hover"), QStringLiteral("_focus"), QStringLiteral("_disabled")}) {
            QImage img = canvas(14, 14);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            const bool disabled = state == QLatin1String("_disabled");
            const bool hover = state == QLatin1String("_hover");
            QColor fill = checked ? (disabled ? QColor(70, 72, 75) : (hover ? kBlueHover : kBlue)) : QColor(33, 33, 33);
            QColor border = checked ? fill : (disabled ? QColor(60, 60, 60) : (hover ? kBlue : QColor(110, 112, 116)));
            if (state == QLatin1String("_focus"))
                border = Qt::white;   // keyboard focus: white, as the other focus frames, on both states
            p.setPen(QPen(border, 1));
            p.setBrush(fill);
            p.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 2, 2);
            if (checked)
                tick(p, QRectF(0, 0, 14, 14), disabled ? kTextDisabled : Qt::white, 1.8);
            p.end();
            out.save(w, (checked ? QStringLiteral("checkbox_checked") : QStringLiteral("checkbox_unchecked")) + state, img);
        }
    }

    // List cell buttons, 16 x 16: default marker (star-like dot) and remove (cross).
    for (bool on : {false, true}) {
        QImage img = canvas(16, 16);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(on ? kBlue : QColor(110, 112, 116), 1.2));
        p.setBrush(on ? kBlue : Qt::transparent);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        if (on)
            tick(p, QRectF(1, 1, 14, 14), Qt::white, 1.6);
        p.end();
        out.save(w, on ? QStringLiteral("default_on") : QStringLiteral("default_off"), img);
        img = canvas(16, 16);
        p.begin(&img);
        // common_off: the live remove button; common_on: its disabled look.
        cross(p, QRectF(4, 4, 8, 8), on ? QColor(80, 80, 80) : kGrey, 1.6);
        p.end();
        out.save(w, on ? QStringLiteral("common_on") : QStringLiteral("common_off"), img);
    }

    {
        QImage img = canvas(40, 40);
        QPainter p(&img);
        warningSign(p, QRectF(3, 4, 34, 31), QColor(255, 176, 32));
        p.end();
        out.save(w, QStringLiteral("msg_warning"), img);
    }
    for (const QString& state : {QString(), QStringLiteral("_hover")}) {
        QImage img = canvas(16, 16);
        QPainter p(&img);
        tick(p, QRectF(1, 1, 14, 14), state.isEmpty() ? kBlue : Qt::white, 1.8);
        p.end();
        out.save(w, QStringLiteral("menu_checked") + state, img);
    }
    for (const QString& state : {QString(), QStringLiteral("_hover"), QStringLiteral("_pressed"), QStringLiteral("_disabled")}) {
        QImage img = canvas(20, 20);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        if (state == QLatin1String("_hover") || state == QLatin1String("_pressed")) {
            p.setPen(Qt::NoPen);
            p.setBrush(state == QLatin1String("_hover") ? QColor(62, 65, 70) : QColor(46, 48, 52));
            p.drawRoundedRect(QRectF(0, 0, 20, 20), 3, 3);
        }
        chevron(p, QRectF(0, 0, 20, 20), 'd', 9, state == QLatin1String("_disabled") ? QColor(86, 87, 89) : kText, 1.8);
        p.end();
        out.save(w, QStringLiteral("btn_drop") + state, img);
    }
    {
        QImage img = canvas(80, 28);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // White: the selected tab is filled with the blue, so a blue frame would not show.
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 1.5, 77, 25), 4, 4);
        p.end();
        out.save(w, QStringLiteral("tab_focus"), img);
    }

    // Logos: a lens-like mark and the wordmark. The wordmark uses Liberation Sans (installed
    // with the build tools, metric-compatible with the program's Arial), scaled to fit its box.
    auto mark = [](QPainter& p, const QRectF& r) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRoundedRect(r, r.width() * 0.22, r.width() * 0.22);
        p.setBrush(QColor(22, 23, 25));
        p.drawEllipse(r.adjusted(r.width() * 0.2, r.height() * 0.2, -r.width() * 0.2, -r.height() * 0.2));
        p.setBrush(kText);
        p.drawEllipse(r.adjusted(r.width() * 0.38, r.height() * 0.38, -r.width() * 0.38, -r.height() * 0.38));
    };
    auto wordmark = [](QPainter& p, const QRectF& r) {
        p.setRenderHint(QPainter::TextAntialiasing);
        auto fitted = [&p](const QString& text, const QRectF& box, int weight) {
            QFont font(QStringLiteral("Liberation Sans"));
            font.setWeight(weight);
            font.setPixelSize(qMax(1, int(box.height())));
            const qreal width = QFontMetricsF(font).horizontalAdvance(text);
            if (width > box.width())
                font.setPixelSize(qMax(1, int(box.height() * box.width() / width)));
            p.setFont(font);
        };
        const QRectF name(r.left(), r.top(), r.width(), r.height() * 0.62);
        const QRectF tagline(r.left(), r.top() + r.height() * 0.66, r.width(), r.height() * 0.34);
        fitted(QStringLiteral("Lumivandrex"), name, QFont::Bold);
        p.setPen(kText);
        p.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lumivandrex"));
        fitted(QStringLiteral("UTILITY"), tagline, QFont::Normal);
        p.setPen(kGrey);
        p.drawText(tagline, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("UTILITY"));
    };
    {
        QImage img = canvas(132, 24);
        QPainter p(&img);
        mark(p, QRectF(1, 1, 22, 22));
        wordmark(p, QRectF(30, 1, 100, 22));
        p.end();
        out.save(w, QStringLiteral("logo"), img);
    }
    {
        QImage img = canvas(216, 60);
        QPainter p(&img);
        mark(p, QRectF(4, 6, 48, 48));
        wordmark(p, QRectF(64, 8, 148, 44));
        p.end();
        out.save(w, QStringLiteral("logo2"), img);
    }

    // Firmware update cell buttons, 16 x 16.
    const QStringList updates{QStringLiteral("check"), QStringLiteral("download"), QStringLiteral("cancel"),
                              QStringLiteral("update"), QStringLiteral("retry"), QStringLiteral("help"),
                              QStringLiteral("info")};
    for (const QString& name : updates) {
        for (const QString& state : {QString(), QStringLiteral("_hover"), QStringLiteral("_press")}) {
            const QColor c = state.isEmpty() ? kBlue : (state == QLatin1String("_hover") ? kBlueHover : kBluePressed);
            QImage img = canvas(16, 16);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(c, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(1, 1, 14, 14));
            if (name == QLatin1String("check")) {
                p.drawEllipse(QRectF(4.5, 4.5, 5.5, 5.5));
                p.drawLine(QPointF(9.2, 9.2), QPointF(11.5, 11.5));
            } else if (name == QLatin1String("download")) {
                p.drawLine(QPointF(8, 4), QPointF(8, 10.5));
                chevron(p, QRectF(3, 6.5, 10, 6), 'd', 6, c, 1.3);
            } else if (name == QLatin1String("update")) {
                p.drawLine(QPointF(8, 5.5), QPointF(8, 12));
                chevron(p, QRectF(3, 3.5, 10, 6), 'u', 6, c, 1.3);
            } else if (name == QLatin1String("cancel")) {
                cross(p, QRectF(5.5, 5.5, 5, 5), c, 1.3);
            } else if (name == QLatin1String("retry")) {
                p.drawArc(QRectF(4.5, 4.5, 7, 7), 60 * 16, 280 * 16);
                p.drawLine(QPointF(10.5, 3.8), QPointF(10.2, 6.2));
            } else if (name == QLatin1String("help")) {
                p.drawArc(QRectF(5.5, 4, 5, 4.5), -90 * 16, 270 * 16);
                p.drawLine(QPointF(8, 8.5), QPointF(8, 9.8));
                p.drawPoint(QPointF(8, 11.8));
            } else {
                p.drawLine(QPointF(8, 7), QPointF(8, 11.5));
                p.drawPoint(QPointF(8, 4.8));
            }
            p.end();
            out.save(w, QStringLiteral("update_") + name + state, img);
        }
    }
    saveGif(out, w, QStringLiteral("update_checking"), 20);
    out.save(w, QStringLiteral("update_success"), statusBadge(88, kGreen, true));
    out.save(w, QStringLiteral("update_failed"), statusBadge(88, kRed, false));
    {
        QImage img = canvas(10, 10);
        QPainter p(&img);
        chevron(p, QRectF(0, 0, 10, 10), 'r', 7, kBlue, 1.6);
        p.end();
        out.save(w, QStringLiteral("update_rightarrow"), img);
        img = canvas(20, 24);
        p.begin(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kBlue, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 4), QPointF(10, 21));
        chevron(p, QRectF(0, 2, 20, 10), 'u', 12, kBlue, 2.4);
        p.end();
        out.save(w, QStringLiteral("update_uparrow"), img);
    }
}

void appUpgradeImages(Output& out)
{
    const QString f = QStringLiteral("app_upgrade");
    saveGif(out, f, QStringLiteral("checking"), 124);
    auto badge = [&](const QString& name, const QColor& c, bool ok) { out.save(f, name, statusBadge(124, c, ok)); };
    badge(QStringLiteral("check_failed"), kRed, false);
    badge(QStringLiteral("check_latest"), kGreen, true);
    badge(QStringLiteral("download_failed"), kRed, false);
    {
        QImage img = canvas(20, 20);
        QPainter p(&img);
        warningSign(p, QRectF(1.5, 2, 17, 16), QColor(255, 176, 32));
        p.end();
        out.save(f, QStringLiteral("warning"), img);
    }
    {
        QImage img = canvas(40, 40);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kBlue, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(20, 6), QPointF(20, 26));
        chevron(p, QRectF(8, 16, 24, 14), 'd', 16, kBlue, 3.5);
        p.drawLine(QPointF(8, 34), QPointF(32, 34));
        p.end();
        out.save(f, QStringLiteral("download"), img);
    }
}

void miscImages(Output& out)
{
    {
        QImage img = canvas(48, 48);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(2, 2, 44, 44), 10, 10);
        p.setBrush(QColor(22, 23, 25));
        p.drawEllipse(QRectF(11, 11, 26, 26));
        p.setBrush(kText);
        p.drawEllipse(QRectF(19, 19, 10, 10));
        p.end();
        out.save(QStringLiteral("LumivandrexUtility"), QStringLiteral("lumivandrexutility_48"), img);
    }
    // Line edit of the entry dialogs: a 9-slice frame (4-pixel edges).
    const QList<QPair<QString, QColor>> edits{{QString(), QColor(80, 80, 80)}, {QStringLiteral("_hover"), kBlue},
                                              {QStringLiteral("_pressed"), kBluePressed}};
    for (const auto& e : edits) {
        QImage img = canvas(24, 24);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(e.second, 1));
        p.setBrush(QColor(33, 33, 33));
        p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
        p.end();
        out.save(QStringLiteral("LineEdit"), QStringLiteral("lineedit_dialog") + e.first, img);
    }
}

// The Info page's device pictures (536 x 180): a capture box seen from its input side,
// one per product family, and the picture shown without a device.
void devicePictures(Output& out)
{
    struct Model {
        const char* name;
        QStringList ports;
    };
    const QList<Model> models{{"capture_hdmi", {QStringLiteral("HDMI")}},
                              {"capture_pro", {QStringLiteral("HDMI"), QStringLiteral("VGA"), QStringLiteral("AUDIO")}},
                              {"capture_sdi", {QStringLiteral("SDI IN"), QStringLiteral("SDI OUT")}}};
    for (const Model& model : models) {
        QImage img = canvas(536, 180);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF body(108, 40, 320, 100);
        QLinearGradient shade(body.topLeft(), body.bottomLeft());
        shade.setColorAt(0, QColor(72, 74, 78));
        shade.setColorAt(1, QColor(40, 41, 44));
        p.setPen(QPen(QColor(20, 20, 22), 2));
        p.setBrush(shade);
        p.drawRoundedRect(body, 12, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(body.left() + 16, body.top() + 12, 60, 6), 3, 3);
        const qreal slot = body.width() / (model.ports.size() + 1);
        QFont font = p.font();
        font.setPixelSize(12);
        font.setBold(true);
        p.setFont(font);
        for (int i = 0; i < model.ports.size(); ++i) {
            const QPointF centre(body.left() + slot * (i + 1), body.center().y() + 6);
            p.setPen(QPen(QColor(15, 15, 16), 1.5));
            p.setBrush(QColor(24, 24, 26));
            p.drawRoundedRect(QRectF(centre.x() - 24, centre.y() - 12, 48, 24), 4, 4);
            p.setPen(kGrey);
            p.drawText(QRectF(centre.x() - 40, centre.y() + 14, 80, 18), Qt::AlignCenter, model.ports.at(i));
        }
        p.end();
        out.save(QStringLiteral("Device"), QString::fromLatin1(model.name), img);
    }
    QImage none = canvas(536, 180);
    QPainter p(&none);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 92, 96), 2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(108, 40, 320, 100), 12, 12);
    p.setPen(kGrey);
    QFont font = p.font();
    font.setPixelSize(40);
    p.setFont(font);
    p.drawText(QRectF(108, 40, 320, 100), Qt::AlignCenter, QStringLiteral("USB"));
    p.end();
    out.save(QStringLiteral("Device"), QStringLiteral("no_device"), none);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2)
        qFatal("usage: drawimages <output directory>");
    Output out;
    out.dir = QDir(QString::fromLocal8Bit(argv[1]));
    out.dir.mkpath(QStringLiteral("."));

    widgetImages(out);
    appUpgradeImages(out);
    miscImages(out);
    devicePictures(out);
    moveButtons(out, QStringLiteral("MoveButton"), QSize(80, 24));
    moveButtons(out, QStringLiteral("MoveButtonSmall"), QSize(40, 24));
    buttonFamily(out, QStringLiteral("SettingsButton"), QStringLiteral("btn_settings"), QSize(120, 32), kStandardStates, false);
    buttonFamily(out, QStringLiteral("DialogButton"), QStringLiteral("btn_dialog"), QSize(124, 32), kStandardStates, false);
    buttonFamily(out, QStringLiteral("DialogButton"), QStringLiteral("btn_upgrade"), QSize(124, 32), kStandardStates, true);
    buttonFamily(out, QStringLiteral("PaneButton"), QStringLiteral("btn_pane"), QSize(76, 24), kStandardStates, false);
    muteButtons(out);
    tabButtons(out);

    QFile qrc(out.dir.filePath(QStringLiteral("images.qrc")));
    QFile list(out.dir.filePath(QStringLiteral("images.txt")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Text) || !list.open(QIODevice::WriteOnly | QIODevice::Text))
        qFatal("cannot write the resource list");
    QTextStream(&qrc) << "<RCC>\n" << out.qrc << "</RCC>\n";
    QTextStream(&list) << out.list;
    return 0;
}
