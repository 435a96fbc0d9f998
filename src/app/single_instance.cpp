#include "app/single_instance.h"

#include <QLocalSocket>

namespace korvane {

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

bool SingleInstance::becomePrimary() {
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(300)) {
        probe.write("raise\n");
        probe.waitForBytesWritten(300);
        return false;
    }
    // A server left behind by a crashed instance would refuse the name.
    QLocalServer::removeServer(name_);
    if (!server_.listen(name_)) return true;  // run anyway rather than not at all
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_.nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            emit raiseRequested();
        }
    });
    return true;
}

}  // namespace korvane
