#pragma once

// The busy page the benchmarks measure on: a picture of the whole page under it
// and 1,000 fields in a grid of 10 columns and 100 rows.

#include <QImage>
#include <QTemporaryDir>

#include "framework/Testing.h"
#include "layout/DragCanvas.h"
#include "layout/Modulo1.h"

namespace banco {

// Makes the folder holding the background picture "modulo.png" the program's
// folder; the folder lasts for the whole run.
inline void PreparaSfondo() {
    static QTemporaryDir* cartella = [] {
        auto* d = new QTemporaryDir;
        QImage figura(600, 850, QImage::Format_RGB32);
        for (int y = 0; y < 850; ++y) {
            for (int x = 0; x < 600; ++x) figura.setPixel(x, y, qRgb(x % 256, y % 256, 200));
        }
        figura.save(d->path() + "/modulo.png");
        return d;
    }();
    fw::testing::SetProgramFolder(cartella->path().toStdString() + "/");
}

// Replaces the canvas's fields with the grid, labels of several lengths,
// measured, none selected.
inline void RiempiPagina(DragCanvas& c) {
    fw::Integer font = Modulo1::CercaFont("DejaVu Sans");
    const char* etichette[] = {"Ragione sociale", "Partita IVA", "Data", "Totale documento",
                               "Imponibile"};
    c.vCampi.clear();
    for (int i = 0; i < 1000; ++i) {
        auto k = c.AggiungiCampo();
        k->tx = 5 + (i % 10) * 59;
        k->ty = 5 + (i / 10) * 8;
        k->riquadro->Width = 55;
        k->riquadro->Height = 14;
        k->iFont = font;
        k->dimFont = 10;
        k->iCampo = 1 + i % 85;
        k->etichetta = etichette[i % 5];
        k->DimensEtichetta();
    }
}

}  // namespace banco
