#include "app/typed_time.h"

#include <QList>
#include <QString>

namespace korvane {

namespace {

// One or two digits, nothing else: toInt would also take "+5" and " 5".
std::optional<int> field(QStringView text, int max) {
    if (text.isEmpty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > max) return std::nullopt;
    return value;
}

std::optional<int> secondsOf(QStringView h, QStringView m, QStringView s) {
    const auto hours = field(h, 23), minutes = field(m, 59), seconds = field(s, 59);
    if (!hours || !minutes || !seconds) return std::nullopt;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

}  // namespace

std::optional<int> parseTypedTime(QStringView text, int shownHour) {
    const QStringView t = text.trimmed();
    if (!t.contains(u':')) {
        if (t.size() != 6) return std::nullopt;
        return secondsOf(t.sliced(0, 2), t.sliced(2, 2), t.sliced(4, 2));
    }
    const QList<QStringView> parts = t.split(u':');
    if (parts.size() == 3) return secondsOf(parts[0], parts[1], parts[2]);
    if (parts.size() != 2 || shownHour < 0 || shownHour > 23) return std::nullopt;
    return secondsOf(QString::number(shownHour), parts[0], parts[1]);
}

}  // namespace korvane
