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
        // The toolkit tells apart a family offered by several foundries as
        // "Name [Foundry]". Files store the family's own name, which is also what
        // selects it, so the foundry is dropped and each family listed once.
        QStringList seen;
        for (QString f : QFontDatabase::families()) {
            qsizetype bracket = f.indexOf(QLatin1String(" ["));
            if (bracket > 0 && f.endsWith(QLatin1Char(']'))) f.truncate(bracket);
            if (seen.contains(f)) continue;
            seen.append(f);
            out.push_back(f.toStdString());
        }
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
