#pragma once

// The busy page the benchmarks measure on: a picture of the whole page under it
// and fields in a grid of 10 columns over the whole sheet. Every benchmark makes
// its own page and windows, so that none depends on what another left behind.

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include "document/wMain.h"
#include "framework/Testing.h"
#include "framework/Window.h"
#include "layout/DragCanvas.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace banco {

// The pixels of the background picture: a gradient, so that nothing under a
// field is a flat colour.
inline QImage FiguraSfondo() {
    QImage figura(600, 850, QImage::Format_RGB32);
    for (int y = 0; y < 850; ++y) {
        for (int x = 0; x < 600; ++x) figura.setPixel(x, y, qRgb(x % 256, y % 256, 200));
    }
    return figura;
}

// Makes the folder holding the background picture "modulo.png" the program's
// folder; the folder lasts for the whole run.
inline void PreparaSfondo() {
    static QTemporaryDir* cartella = [] {
        auto* d = new QTemporaryDir;
        FiguraSfondo().save(d->path() + "/modulo.png");
        return d;
    }();
    fw::testing::SetProgramFolder(cartella->path().toStdString() + "/");
}

// The labels of the page, of several lengths; most are wider than their frame.
inline const char* Etichetta(int i) {
    static const char* etichette[] = {"Ragione sociale", "Partita IVA", "Data", "Totale documento",
                                      "Imponibile"};
    return etichette[i % 5];
}

// Where field i of a page of n lies: 10 columns 59 pixels apart, n / 10 rows
// spread over 800 pixels (8 apart for 1,000 fields, so denser pages stack more
// fields on each spot).
struct Posto {
    int x, y;
};
inline Posto PostoDelCampo(int i, int n) {
    int righe = std::max(1, n / 10);
    return {5 + (i % 10) * 59, 5 + (i / 10) * 800 / righe};
}

// Replaces the canvas's fields with a grid of n, labels measured, none selected.
inline void RiempiPagina(DragCanvas& c, int n = 1000) {
    fw::Integer font = Modulo1::CercaFont("DejaVu Sans");
    c.vCampi.clear();
    for (int i = 0; i < n; ++i) {
        auto k = c.AggiungiCampo();
        Posto p = PostoDelCampo(i, n);
        k->tx = p.x;
        k->ty = p.y;
        k->riquadro->Width = 55;
        k->riquadro->Height = 14;
        k->iFont = font;
        k->dimFont = 10;
        k->iCampo = 1 + i % 85;
        k->etichetta = Etichetta(i);
        k->DimensEtichetta();
    }
}

// The field of column 0 about halfway down the page, wherever n puts the rows.
inline int CampoAMeta(int n) {
    int righe = std::max(1, n / 10);
    return righe * 45 / 100 * 10;
}

// Closes the main window and the palette, if they exist, and deletes them: the
// next ::wMain() and ::wPalette() make fresh ones. Done when a benchmark starts
// and again when it ends.
inline void ChiudiFinestre() {
    if (fw::ImplicitExists<vx::wMain>()) {
        ::wMain().DragCanvas1->modificato = false;
        ::wMain().Close();
    }
    if (fw::ImplicitExists<vx::wPalette>()) ::wPalette().Close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
struct FinestreNuove {
    FinestreNuove() { ChiudiFinestre(); }
    ~FinestreNuove() { ChiudiFinestre(); }
    FinestreNuove(const FinestreNuove&) = delete;
    FinestreNuove& operator=(const FinestreNuove&) = delete;
};

}  // namespace banco
