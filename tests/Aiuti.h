#pragma once

// Small helpers shared by the tests.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

namespace prova {

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

}  // namespace prova
