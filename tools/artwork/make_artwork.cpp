// Draws the program's pictures (icon, dialog bands, page buttons) into resources/pictures.
// Run it after changing a drawing: build the target make_artwork, then
//   make_artwork <source folder>/resources/pictures
// The pictures are committed; the program never runs this.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>
#include <functional>

namespace {

const QColor kDeep(24, 78, 112);
const QColor kMid(58, 135, 181);
const QColor kPale(193, 217, 229);
const QColor kSky(226, 239, 246);
const QColor kAmber(240, 166, 48);

QString outFolder;

void Save(const char* name, int w, int h, const std::function<void(QPainter&, int, int)>& draw) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p, w, h);
  p.end();
  const QString path = QDir(outFolder).filePath(QString::fromLatin1(name));
  if (!img.save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// A door leaf in a frame, with a handle; `r` is the frame's rectangle.
void Door(QPainter& p, const QRectF& r, const QColor& frame, const QColor& leaf) {
  p.setPen(Qt::NoPen);
  p.setBrush(frame);
  p.drawRoundedRect(r, r.width() * 0.08, r.width() * 0.08);
  const QRectF inner = r.adjusted(r.width() * 0.14, r.height() * 0.1, -r.width() * 0.14, 0);
  QPolygonF leafShape;
  leafShape << inner.topLeft() << QPointF(inner.right(), inner.top() + inner.height() * 0.06)
            << QPointF(inner.right(), inner.bottom() - inner.height() * 0.04) << inner.bottomLeft();
  p.setBrush(leaf);
  p.drawPolygon(leafShape);
  p.setBrush(frame);
  const double k = inner.width() * 0.13;
  p.drawEllipse(QPointF(inner.right() - inner.width() * 0.22, inner.center().y()), k, k);
}

// A card with a chip, as presented to a reader.
void Card(QPainter& p, const QRectF& r) {
  p.setPen(QPen(QColor(255, 255, 255), r.height() * 0.08));
  p.setBrush(kAmber);
  p.drawRoundedRect(r, r.height() * 0.16, r.height() * 0.16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 240, 200));
  p.drawRoundedRect(QRectF(r.left() + r.width() * 0.14, r.top() + r.height() * 0.28,
                           r.width() * 0.26, r.height() * 0.36),
                    2, 2);
}

void Icon(QPainter& p, int w, int h) {
  const QRectF box(w * 0.03, h * 0.03, w * 0.94, h * 0.94);
  QLinearGradient g(box.topLeft(), box.bottomRight());
  g.setColorAt(0, kMid);
  g.setColorAt(1, kDeep);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(box, w * 0.18, h * 0.18);
  Door(p, QRectF(w * 0.2, h * 0.16, w * 0.42, h * 0.7), QColor(255, 255, 255),
       QColor(210, 230, 242));
  Card(p, QRectF(w * 0.5, h * 0.56, w * 0.4, h * 0.27));
}

// The band across the top of a dialog: deep blue into the pale page colour, with soft rings
// on the right and the door mark.
void TopBand(QPainter& p, int w, int h) {
  QLinearGradient g(0, 0, w, 0);
  g.setColorAt(0, kSky);
  g.setColorAt(0.55, kPale);
  g.setColorAt(1, kMid);
  p.fillRect(0, 0, w, h, g);
  p.setPen(QPen(QColor(255, 255, 255, 70), 2));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 4; ++i) {
    const double rad = 30 + i * 22;
    p.drawEllipse(QPointF(w - 60, h * 0.5), rad, rad);
  }
  Door(p, QRectF(w - 74, 9, 24, 38), QColor(255, 255, 255, 230),
       QColor(kDeep.red(), kDeep.green(), kDeep.blue(), 180));
  p.fillRect(0, h - 2, w, 2, kMid);
}

void BottomBand(QPainter& p, int w, int h) {
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(246, 250, 252));
  g.setColorAt(1, kSky);
  p.fillRect(0, 0, w, h, g);
}

void Line(QPainter& p, int w, int h) {
  QLinearGradient g(0, 0, w, 0);
  g.setColorAt(0, kPale);
  g.setColorAt(0.5, kMid);
  g.setColorAt(1, kPale);
  p.fillRect(0, 0, w, h / 2, g);
  p.fillRect(0, h / 2, w, h - h / 2, QColor(255, 255, 255));
}

void LoginBackground(QPainter& p, int w, int h) {
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, kSky);
  g.setColorAt(1, kPale);
  p.fillRect(0, 0, w, h, g);
  QLinearGradient band(0, 0, w, 0);
  band.setColorAt(0, kDeep);
  band.setColorAt(1, kMid);
  p.fillRect(0, 0, w, 46, band);
  p.setPen(QPen(QColor(255, 255, 255, 50), 2));
  for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(w - 40, 23), 14.0 + i * 16, 14.0 + i * 16);
  p.setPen(Qt::NoPen);
  QImage icon(36, 36, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  {
    QPainter ip(&icon);
    ip.setRenderHint(QPainter::Antialiasing);
    Icon(ip, 36, 36);
  }
  p.drawImage(12, 5, icon);
}

void ShowTop(QPainter& p, int w, int h) {
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, kMid);
  g.setColorAt(1, kDeep);
  p.fillRect(0, 0, w, h, g);
}

void ShowMain(QPainter& p, int w, int h) {
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(250, 252, 254));
  g.setColorAt(1, kSky);
  p.fillRect(0, 0, w, h, g);
  p.setPen(QPen(QColor(kPale.red(), kPale.green(), kPale.blue(), 120), 2));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(w, h), 60.0 + i * 40, 60.0 + i * 40);
}

void Person(QPainter& p, int w, int h, const QColor& c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(QPointF(w * 0.5, h * 0.32), w * 0.2, h * 0.2);
  QPainterPath body;
  body.moveTo(w * 0.12, h * 0.95);
  body.cubicTo(w * 0.12, h * 0.55, w * 0.88, h * 0.55, w * 0.88, h * 0.95);
  body.closeSubpath();
  p.drawPath(body);
}

void CloseMark(QPainter& p, int w, int h) {
  p.setPen(QPen(QColor(255, 255, 255), w * 0.14, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(w * 0.25, h * 0.25), QPointF(w * 0.75, h * 0.75));
  p.drawLine(QPointF(w * 0.75, h * 0.25), QPointF(w * 0.25, h * 0.75));
}

// Tool buttons of the tools page: a disc with a symbol.
void Disc(QPainter& p, int w, int h, const QColor& c) {
  QRadialGradient g(w * 0.35, h * 0.3, w * 0.7);
  g.setColorAt(0, c.lighter(140));
  g.setColorAt(1, c);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QRectF(1, 1, w - 2, h - 2));
}

void Sync(QPainter& p, int w, int h) {
  Disc(p, w, h, kMid);
  QPen pen(Qt::white, w * 0.09, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  const QRectF arc(w * 0.25, h * 0.25, w * 0.5, h * 0.5);
  p.drawArc(arc, 30 * 16, 150 * 16);
  p.drawArc(arc, 210 * 16, 150 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  QPolygonF head1, head2;
  head1 << QPointF(w * 0.22, h * 0.38) << QPointF(w * 0.34, h * 0.52)
        << QPointF(w * 0.12, h * 0.52);
  head2 << QPointF(w * 0.78, h * 0.62) << QPointF(w * 0.66, h * 0.48)
        << QPointF(w * 0.88, h * 0.48);
  p.drawPolygon(head1);
  p.drawPolygon(head2);
}

void Search(QPainter& p, int w, int h) {
  Disc(p, w, h, QColor(64, 150, 120));
  p.setPen(QPen(Qt::white, w * 0.09, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(w * 0.44, h * 0.43), w * 0.17, h * 0.17);
  p.drawLine(QPointF(w * 0.57, h * 0.57), QPointF(w * 0.74, h * 0.74));
}

void Report(QPainter& p, int w, int h) {
  Disc(p, w, h, QColor(196, 120, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(w * 0.3, h * 0.22, w * 0.4, h * 0.56), 2, 2);
  p.setBrush(QColor(196, 120, 40));
  for (int i = 0; i < 4; ++i)
    p.drawRect(QRectF(w * 0.36, h * (0.32 + i * 0.1), w * 0.28, h * 0.04));
}

void Gear(QPainter& p, int w, int h) {
  Disc(p, w, h, QColor(90, 105, 130));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.save();
  p.translate(w * 0.5, h * 0.5);
  for (int i = 0; i < 8; ++i) {
    p.drawRect(QRectF(-w * 0.05, -h * 0.31, w * 0.1, h * 0.12));
    p.rotate(45);
  }
  p.drawEllipse(QPointF(0, 0), w * 0.22, h * 0.22);
  p.setBrush(QColor(90, 105, 130));
  p.drawEllipse(QPointF(0, 0), w * 0.09, h * 0.09);
  p.restore();
}

void Key(QPainter& p, int w, int h) {
  Disc(p, w, h, QColor(170, 80, 80));
  p.setPen(QPen(Qt::white, w * 0.08, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(w * 0.36, h * 0.42), w * 0.12, h * 0.12);
  p.drawLine(QPointF(w * 0.45, h * 0.51), QPointF(w * 0.72, h * 0.78));
  p.drawLine(QPointF(w * 0.62, h * 0.68), QPointF(w * 0.7, h * 0.6));
}

void About(QPainter& p, int w, int h) {
  Disc(p, w, h, kDeep);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(w * 0.5, h * 0.3), w * 0.065, h * 0.065);
  p.drawRoundedRect(QRectF(w * 0.44, h * 0.42, w * 0.12, h * 0.34), 2, 2);
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_artwork <folder>\n");
    return 2;
  }
  outFolder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(outFolder);
  Save("appIcon.png", 64, 64, Icon);
  Save("appIcon32.png", 32, 32, Icon);
  Save("band_top.png", 514, 56, TopBand);
  Save("band_bottom.png", 514, 67, BottomBand);
  Save("band_line.png", 514, 4, Line);
  Save("login_background.png", 310, 168, LoginBackground);
  Save("show_top.png", 295, 28, ShowTop);
  Save("show_main.png", 295, 370, ShowMain);
  Save("show_user.png", 20, 20, [](QPainter& p, int w, int h) { Person(p, w, h, Qt::white); });
  Save("close.png", 16, 16, CloseMark);
  Save("tool_sync.png", 32, 32, Sync);
  Save("tool_search.png", 32, 32, Search);
  Save("tool_report.png", 32, 32, Report);
  Save("tool_config.png", 32, 32, Gear);
  Save("tool_password.png", 32, 32, Key);
  Save("tool_about.png", 32, 32, About);
  return 0;
}
