#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace app {

// A link label that acts when the left mouse button goes down on it.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("QLabel { color: #0000ee; text-decoration: underline; }"));
  }

 signals:
  void pressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      emit pressed();
      return;
    }
    QLabel::mousePressEvent(event);
  }
};

}  // namespace app
