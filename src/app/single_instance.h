// One korvane per user: a second start asks the first to come to the front
// and ends.
#pragma once

#include <QLocalServer>
#include <QObject>

namespace korvane {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    // True when this is the first instance (it then listens for others).
    bool becomePrimary();

  signals:
    void raiseRequested();

  private:
    QString name_;
    QLocalServer server_;
};

}  // namespace korvane
