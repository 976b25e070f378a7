#pragma once

// Small helpers shared by the tests.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <clocale>
#include <memory>
#include <string>

#include "framework/Menus.h"

namespace prova {

// A menu item named nome, showing testo, with the shortcut tasto ("Cmd+S").
inline std::shared_ptr<fw::MenuItem> Voce(std::shared_ptr<fw::MenuItem> v, const std::string& nome,
                                          const std::string& testo, const std::string& tasto = "") {
    v->Name = nome;
    v->Text = testo;
    v->KeyboardShortcut = tasto;
    return v;
}
inline std::shared_ptr<fw::MenuItem> Voce(const std::string& nome, const std::string& testo,
                                          const std::string& tasto = "") {
    return Voce(std::make_shared<fw::MenuItem>(), nome, testo, tasto);
}

// Lets the toolkit deliver what is queued, in a few passes: what it delivers
// (a show, a move) queues more.
inline void Aggiorna() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// A fresh folder for one test, removed with it.
class Cartella {
  public:
    Cartella() { dir_.setAutoRemove(true); }
    std::string Percorso() const { return dir_.path().toStdString() + "/"; }
    std::string File(const std::string& nome) const { return Percorso() + nome; }
    void Scrivi(const std::string& nome, const std::string& byte) const {
        QFile f(QString::fromStdString(File(nome)));
        f.open(QIODevice::WriteOnly);
        f.write(byte.data(), static_cast<qint64>(byte.size()));
    }
    std::string Leggi(const std::string& nome) const {
        QFile f(QString::fromStdString(File(nome)));
        if (!f.open(QIODevice::ReadOnly)) return "<assente>";
        QByteArray b = f.readAll();
        return std::string(b.constData(), static_cast<std::size_t>(b.size()));
    }

  private:
    QTemporaryDir dir_;
};

// The process runs in the locale named (as the toolkit puts it in the user's
// locale at start) and the toolkit's default locale is the same, until the
// object goes; then both are as they were. Ok() tells whether the system has
// that locale: scripts/setup makes "it_IT.UTF-8".
class LocaleDiProcesso {
  public:
    explicit LocaleDiProcesso(const char* nome)
        : primaC_(std::setlocale(LC_ALL, nullptr)), primaQt_(QLocale()) {
        ok_ = std::setlocale(LC_ALL, nome) != nullptr;
        QLocale::setDefault(QLocale(QString::fromLatin1(nome).section(QLatin1Char('.'), 0, 0)));
    }
    ~LocaleDiProcesso() {
        std::setlocale(LC_ALL, primaC_.c_str());
        QLocale::setDefault(primaQt_);
    }
    LocaleDiProcesso(const LocaleDiProcesso&) = delete;
    LocaleDiProcesso& operator=(const LocaleDiProcesso&) = delete;
    bool Ok() const { return ok_; }
    // The decimal point of the C library's numbers in this locale.
    static std::string VirgolaDecimale() { return std::localeconv()->decimal_point; }

  private:
    std::string primaC_;
    QLocale primaQt_;
    bool ok_ = false;
};

// The locales every number conversion is tried in: the C locale and the
// Italian one, whose decimal point is a comma.
inline const char* const kLocaliProvati[] = {"C", "it_IT.UTF-8"};

}  // namespace prova
