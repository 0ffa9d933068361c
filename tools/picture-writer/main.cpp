// picture-writer FOLDER: draws the program's pictures into FOLDER as PNG
// files named after their resources: the pause glyphs of the monitors
// (PAUSEON, PAUSEOFF), the glyphs of the analysis tree's channels, talkers
// and sentences (TREECHANNEL, TREETALKER, TREESENTENCE), the serial
// connector's pins (IMGPORT_*), a
// connection example (IMGDST_*) and the depth drawing of the Depth page
// (IMGDPT_*), each picture with text in English (_ENG) and Italian (_ITA).

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QString>

#include <cstdio>
#include <string>

namespace {

const QColor kInk(40, 48, 64);
const QColor kFace(240, 240, 240);
const QColor kBlue(40, 96, 176);
const QColor kWater(204, 228, 246);
const QColor kOrange(232, 128, 24);

// The texts of the pictures, English then Italian.
struct Texts {
  const char* connectorTitle;
  const char* pinData;
  const char* pinCommands;
  const char* pinGround;
  const char* pinUnused;
  const char* connectorNote;
  const char* module;
  const char* transducer;
  const char* computer;
  const char* gps;
  const char* dstPort;
  const char* gpsPort;
  const char* power;
  const char* depthBelowTransducer;
  const char* offset;
  const char* depthBelowKeel;
  const char* waterline;
};

const Texts kEnglish{"DB9 female connector, front view",
                     "NMEA data to the computer (RXD)",
                     "Commands to the DST module (TXD)",
                     "Signal ground (NMEA -)",
                     "Not connected",
                     "Seen from the face that plugs into the computer",
                     "DST module",
                     "Transducer",
                     "Computer",
                     "GPS receiver",
                     "DST port",
                     "GPS port",
                     "12 V supply",
                     "below transducer",
                     "offset",
                     "below keel",
                     "waterline"};
const Texts kItalian{"Connettore DB9 femmina, vista frontale",
                     "Dati NMEA al computer (RXD)",
                     "Comandi al modulo DST (TXD)",
                     "Massa del segnale (NMEA -)",
                     "Non collegato",
                     "Visto dal lato che si innesta nel computer",
                     "Modulo DST",
                     "Trasduttore",
                     "Computer",
                     "Ricevitore GPS",
                     "Porta DST",
                     "Porta GPS",
                     "Alimentazione 12 V",
                     "sotto il trasduttore",
                     "offset",
                     "sotto la chiglia",
                     "linea di galleggiamento"};

QFont Font(int pixels, bool bold = false) {
  QFont f("DejaVu Sans");
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QImage Canvas(int w, int h, const QColor& back) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(back);
  return image;
}

bool Save(const QImage& image, const std::string& folder, const char* name) {
  const std::string path = folder + "/" + name + ".png";
  if (image.save(QString::fromStdString(path), "PNG")) return true;
  std::fprintf(stderr, "picture-writer: cannot write %s\n", path.c_str());
  return false;
}

// Two bars: dark blue while the monitor runs, orange on a warm face while
// it is paused.
QImage PauseGlyph(bool paused) {
  QImage image = Canvas(20, 20, Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (paused) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 226, 184));
    p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 4, 4);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(paused ? kOrange : kBlue);
  p.drawRoundedRect(QRectF(5, 4, 3.5, 12), 1, 1);
  p.drawRoundedRect(QRectF(11.5, 4, 3.5, 12), 1, 1);
  return image;
}

// The analysis tree's glyphs are 16 pixels square, drawn without smoothing
// on magenta, the colour the tree leaves out: a serial plug for a channel,
// a speech bubble for a talker, a page of text for a sentence.
const QColor kTreeMask(255, 0, 255);

QImage TreeChannelGlyph() {
  QImage image = Canvas(16, 16, kTreeMask);
  QPainter p(&image);
  p.setPen(kInk);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(14, 3), QPoint(12, 11), QPoint(3, 11)}));
  p.setBrush(kFace);
  p.setPen(Qt::NoPen);
  for (int x : {4, 7, 10}) p.drawRect(x, 5, 2, 2);
  p.setPen(kInk);
  p.drawLine(7, 12, 7, 15);
  p.drawLine(8, 12, 8, 15);
  return image;
}

QImage TreeTalkerGlyph() {
  QImage image = Canvas(16, 16, kTreeMask);
  QPainter p(&image);
  p.setPen(kInk);
  p.setBrush(kOrange);
  p.drawEllipse(1, 1, 13, 10);
  p.drawPolygon(QPolygon({QPoint(4, 10), QPoint(3, 15), QPoint(8, 11)}));
  p.setPen(Qt::NoPen);
  p.drawRect(4, 9, 4, 2);
  return image;
}

QImage TreeSentenceGlyph() {
  QImage image = Canvas(16, 16, kTreeMask);
  QPainter p(&image);
  p.setPen(kInk);
  p.setBrush(Qt::white);
  p.drawRect(3, 1, 10, 14);
  p.setPen(kBlue);
  for (int y : {4, 7, 10}) p.drawLine(5, y, 11, y);
  p.drawLine(5, 13, 8, 13);
  return image;
}

// The nine pins of the connector, numbered, with the two that carry the
// module's data marked and explained.
QImage ConnectorPicture(const Texts& t) {
  QImage image = Canvas(360, 270, kFace);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(kInk);
  p.setFont(Font(13, true));
  p.drawText(QRect(0, 6, 360, 20), Qt::AlignHCenter, QString::fromUtf8(t.connectorTitle));

  // The shell: a trapezoid, wide row of five pins over a row of four.
  QPainterPath shell;
  shell.moveTo(70, 44);
  shell.lineTo(290, 44);
  shell.lineTo(268, 136);
  shell.lineTo(92, 136);
  shell.closeSubpath();
  p.setBrush(QColor(200, 204, 212));
  p.setPen(QPen(kInk, 2));
  p.drawPath(shell);
  // Seen from its face, the socket has pin 1 on the right.
  auto pin = [](int n) { return n <= 5 ? QPointF(250 - (n - 1) * 35, 72) : QPointF(232.5 - (n - 6) * 35, 110); };
  for (int n = 1; n <= 9; ++n) {
    const QColor colour = n == 2 ? kBlue : n == 3 ? kOrange : n == 5 ? QColor(60, 60, 60) : QColor(250, 250, 250);
    p.setBrush(colour);
    p.setPen(QPen(kInk, 1.5));
    p.drawEllipse(pin(n), 11, 11);
    p.setPen(n == 2 || n == 3 || n == 5 ? Qt::white : kInk);
    p.setFont(Font(12, true));
    p.drawText(QRectF(pin(n).x() - 11, pin(n).y() - 11, 22, 22), Qt::AlignCenter, QString::number(n));
  }

  // The legend.
  const struct {
    QColor colour;
    QString label;
    QString text;
  } rows[] = {{kBlue, "2", QString::fromUtf8(t.pinData)},
              {kOrange, "3", QString::fromUtf8(t.pinCommands)},
              {QColor(60, 60, 60), "5", QString::fromUtf8(t.pinGround)},
              {QColor(250, 250, 250), "1, 4, 6-9", QString::fromUtf8(t.pinUnused)}};
  int y = 150;
  for (const auto& row : rows) {
    p.setBrush(row.colour);
    p.setPen(QPen(kInk, 1.5));
    p.drawEllipse(QPointF(40, y + 9), 7, 7);
    p.setPen(kInk);
    p.setFont(Font(12, true));
    p.drawText(QRect(54, y, 72, 18), Qt::AlignVCenter, row.label);
    p.setFont(Font(12));
    p.drawText(QRect(124, y, 232, 18), Qt::AlignVCenter, row.text);
    y += 22;
  }
  p.setFont(Font(11));
  p.setPen(QColor(90, 96, 110));
  p.drawText(QRect(0, 244, 360, 18), Qt::AlignHCenter, QString::fromUtf8(t.connectorNote));
  return image;
}

void Box(QPainter& p, const QRectF& r, const QColor& fill, const QString& text) {
  p.setBrush(fill);
  p.setPen(QPen(kInk, 1.5));
  p.drawRoundedRect(r, 6, 6);
  p.setPen(kInk);
  p.setFont(Font(12, true));
  p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, text);
}

void Wire(QPainter& p, const QPolygonF& path, const QColor& colour) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(path);
}

// The transducer on the module, the module's output on the computer's DST
// port, and a GPS receiver on its second port.
QImage ConnectionPicture(const Texts& t) {
  QImage image = Canvas(360, 270, kFace);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  const QRectF transducer(16, 30, 92, 44);
  const QRectF module(16, 120, 92, 60);
  const QRectF gps(16, 206, 92, 44);
  const QRectF computer(236, 96, 108, 108);
  Wire(p, QPolygonF({transducer.center() + QPointF(0, 22), module.center() - QPointF(0, 30)}), kInk);
  Wire(p, QPolygonF({QPointF(108, 134), QPointF(236, 134)}), kBlue);
  Wire(p, QPolygonF({QPointF(108, 150), QPointF(236, 150)}), kOrange);
  Wire(p, QPolygonF({QPointF(108, 166), QPointF(236, 166)}), QColor(60, 60, 60));
  Wire(p, QPolygonF({QPointF(108, 228), QPointF(200, 228), QPointF(200, 186), QPointF(236, 186)}), kBlue);
  Wire(p, QPolygonF({QPointF(62, 180), QPointF(62, 192)}), QColor(200, 40, 40));

  Box(p, transducer, kWater, QString::fromUtf8(t.transducer));
  Box(p, module, QColor(214, 226, 244), QString::fromUtf8(t.module));
  Box(p, gps, QColor(252, 232, 208), QString::fromUtf8(t.gps));
  Box(p, computer, QColor(226, 230, 236), QString::fromUtf8(t.computer));

  p.setFont(Font(11));
  p.setPen(kInk);
  p.drawText(QRectF(116, 112, 120, 16), Qt::AlignLeft, QString::fromUtf8(t.dstPort) + ": 2, 3, 5");
  p.drawText(QRectF(116, 232, 120, 16), Qt::AlignLeft, QString::fromUtf8(t.gpsPort) + ": 2, 5");
  p.setPen(QColor(200, 40, 40));
  p.drawText(QRectF(68, 182, 120, 16), Qt::AlignLeft, QString::fromUtf8(t.power));
  return image;
}

// A hull in the water with the transducer below it: the depth the
// transducer measures, the offset to the keel, and what remains below it.
QImage DepthPicture(const Texts& t) {
  QImage image = Canvas(300, 220, kFace);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const int water = 64;
  p.fillRect(QRect(0, water, 300, 220 - water), kWater);
  p.setPen(QPen(kBlue, 1.5, Qt::DashLine));
  p.drawLine(0, water, 300, water);
  p.setFont(Font(11));
  // Right of the hull, on two lines where the word is long.
  p.drawText(QRect(204, water - 32, 94, 30), Qt::AlignRight | Qt::AlignBottom | Qt::TextWordWrap,
             QString::fromUtf8(t.waterline));

  // The hull and its keel.
  QPainterPath hull;
  hull.moveTo(20, 40);
  hull.lineTo(200, 40);
  hull.cubicTo(190, 80, 150, 96, 110, 98);
  hull.cubicTo(70, 96, 36, 80, 20, 40);
  p.setPen(QPen(kInk, 2));
  p.setBrush(Qt::white);
  p.drawPath(hull);
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({QPointF(96, 96), QPointF(124, 96), QPointF(118, 132), QPointF(104, 132)}));
  // The transducer.
  p.setBrush(kOrange);
  p.setPen(QPen(kInk, 1));
  p.drawRoundedRect(QRectF(62, 86, 14, 10), 2, 2);
  // The bottom.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(196, 170, 120));
  QPainterPath bottom;
  bottom.moveTo(0, 196);
  bottom.cubicTo(80, 188, 180, 204, 300, 192);
  bottom.lineTo(300, 220);
  bottom.lineTo(0, 220);
  bottom.closeSubpath();
  p.drawPath(bottom);

  auto arrow = [&p](double x, double y1, double y2, const QColor& c) {
    p.setPen(QPen(c, 2));
    p.drawLine(QPointF(x, y1), QPointF(x, y2));
    p.setBrush(c);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(x, y1), QPointF(x - 4, y1 + 7), QPointF(x + 4, y1 + 7)}));
    p.drawPolygon(QPolygonF({QPointF(x, y2), QPointF(x - 4, y2 - 7), QPointF(x + 4, y2 - 7)}));
  };
  arrow(69, 97, 191, kBlue);
  arrow(150, 96, 132, kOrange);
  arrow(150, 134, 195, QColor(40, 140, 72));
  p.setFont(Font(11, true));
  p.setPen(kBlue);
  p.drawText(QRect(74, 150, 80, 30), Qt::TextWordWrap, QString::fromUtf8(t.depthBelowTransducer));
  p.setPen(kOrange);
  p.drawText(QRect(158, 104, 120, 16), Qt::AlignLeft, QString::fromUtf8(t.offset));
  p.setPen(QColor(40, 140, 72));
  p.drawText(QRect(158, 156, 140, 16), Qt::AlignLeft, QString::fromUtf8(t.depthBelowKeel));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picture-writer FOLDER\n");
    return 2;
  }
  QGuiApplication application(argc, argv);
  const std::string folder = argv[1];
  bool ok = Save(PauseGlyph(true), folder, "PAUSEON") && Save(PauseGlyph(false), folder, "PAUSEOFF") &&
            Save(TreeChannelGlyph(), folder, "TREECHANNEL") && Save(TreeTalkerGlyph(), folder, "TREETALKER") &&
            Save(TreeSentenceGlyph(), folder, "TREESENTENCE");
  for (const auto& [suffix, texts] : {std::pair{"_ENG", &kEnglish}, std::pair{"_ITA", &kItalian}}) {
    ok = ok && Save(ConnectorPicture(*texts), folder, (std::string("IMGPORT") + suffix).c_str()) &&
         Save(ConnectionPicture(*texts), folder, (std::string("IMGDST") + suffix).c_str()) &&
         Save(DepthPicture(*texts), folder, (std::string("IMGDPT") + suffix).c_str());
  }
  return ok ? 0 : 1;
}
