#include "framework/Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>
#include <vector>

namespace fw {

namespace {

// Read once: the list the program indexes into must not move under it.
const std::vector<String>& Families() {
    static std::vector<String> families = [] {
        std::vector<String> out;
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return out;
        for (const QString& f : QFontDatabase::families()) out.push_back(f.toStdString());
        return out;
    }();
    return families;
}

}  // namespace

Integer FontCount() {
    return static_cast<Integer>(Families().size());
}

String Font(Integer i) {
    const auto& f = Families();
    if (i < 0 || static_cast<std::size_t>(i) >= f.size()) return String();
    return f[static_cast<std::size_t>(i)];
}

}  // namespace fw
