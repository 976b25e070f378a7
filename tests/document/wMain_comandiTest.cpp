// The main window's layout commands, each given as the user gives it: its menu
// shortcut pressed on the main window. The fields are checked, and so is the
// screen: the canvas surface is painted over with a colour the page never shows
// before each command, so what the command repainted is exactly what no longer
// shows that colour.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Aiuti.h"
#include "ApplicazioneProva.h"
#include "document/wMain.h"
#include "framework/Fonts.h"
#include "layout/Modulo1.h"
#include "layout/PaginaProva.h"
#include "palette/wPalette.h"

namespace {

constexpr QRgb kVernice = 0xFF00FF;

struct Rett {
    int x, y, w, h;
    bool operator==(const Rett&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Rett& r) {
    return o << "(" << r.x << ", " << r.y << ", " << r.w << " x " << r.h << ")";
}

class Comandi : public ::testing::Test {
  protected:
    void SetUp() override {
        w.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.Widget()));
        w.Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.Widget()));
        font = Modulo1::CercaFont("DejaVu Sans");
        ASSERT_EQ(fw::Font(font), "DejaVu Sans");
    }
    void TearDown() override {
        c.modificato = false;
        w.Close();
        if (fw::ImplicitExists<vx::wPalette>()) ::wPalette().Close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A fixed text; from 40 x 18 on its label fits inside its frame, and its
    // extent is the frame plus one pixel each way.
    std::shared_ptr<Campo> Campo_(int x, int y, int larg, int alt, bool selezionato = true) {
        auto k = c.AggiungiCampo();
        k->tx = x;
        k->ty = y;
        k->riquadro->Width = larg;
        k->riquadro->Height = alt;
        k->iFont = font;
        k->dimFont = 10;
        k->testoFisso = k->etichetta = "Prova";
        k->selezionato = selezionato;
        k->DimensEtichetta();
        if (larg >= 40 && alt >= 18) {
            EXPECT_EQ(k->Larghezza(), larg + 1);
            EXPECT_EQ(k->Altezza(), alt + 1);
        }
        return k;
    }

    // The page as it stands, drawn on the screen; then the surface painted over.
    void Prepara() {
        c.RidisegnaArea(0, 0, c.Width(), c.Height());
        fw::Graphics& g = c.Graphics();
        g.ForeColor = 0xFF00FF;
        g.FillRect(0, 0, c.Width(), c.Height());
        ::wPalette().efX->SetText("segno");
        ::wPalette().efY->SetText("segno");
        // The boxes' TextChange marks the layout; only the command may here.
        c.modificato = false;
        fw::testing::ClearShown();
    }

    void Tasto(Qt::Key tasto) {
        QTest::keyClick(w.Widget(), tasto, Qt::ControlModifier);
        QApplication::processEvents();
    }

    QImage Schermo() { return c.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QImage Pagina() {
        c.PreparaBuffer();
        c.RidisegnaOggetti(0, 0, c.Width(), c.Height());
        return c.buffer->Image().convertToFormat(QImage::Format_RGB32);
    }

    // What the last command repainted, in page pixels; none when nothing.
    std::optional<Rett> Ridipinto() {
        QImage s = Schermo();
        double dpr = s.devicePixelRatio();
        int l = s.width(), t = s.height(), r = -1, b = -1;
        for (int y = 0; y < s.height(); ++y) {
            auto* riga = reinterpret_cast<const QRgb*>(s.constScanLine(y));
            for (int x = 0; x < s.width(); ++x) {
                if ((riga[x] & 0xFFFFFF) == kVernice) continue;
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
        }
        if (r < 0) return std::nullopt;
        int x0 = prova::PaginaDi(l, dpr), y0 = prova::PaginaDi(t, dpr);
        return Rett{x0, y0, prova::PaginaDi(r, dpr) + 1 - x0, prova::PaginaDi(b, dpr) + 1 - y0};
    }

    // The repainted area shows the page as it now stands.
    ::testing::AssertionResult RidipintoComeLaPagina(const Rett& r) {
        prova::Differenza d = prova::Confronta(Schermo(), Pagina());
        if (d.Dentro(r.x, r.y, r.w, r.h)) {
            // Differences outside the area are the paint; inside there are none.
            QImage s = Schermo(), p = Pagina();
            QRect d = prova::Dispositivo(QRect(r.x, r.y, r.w, r.h), s.devicePixelRatio());
            for (int y = d.top(); y <= d.bottom(); ++y) {
                for (int x = d.left(); x <= d.right(); ++x) {
                    if ((s.pixel(x, y) & 0xFFFFFF) != (p.pixel(x, y) & 0xFFFFFF)) {
                        return ::testing::AssertionFailure()
                               << "pixel " << x << ", " << y << " diverso dalla pagina";
                    }
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    prova::ApplicazioneProva a;
    vx::wMain& w = ::wMain();
    DragCanvas& c = *w.DragCanvas1;
    fw::Integer font = 0;
};

struct Posto {
    int x, y, larg, alt;
    bool sel;
};
struct Atteso {
    int x, y;
};
struct Caso {
    const char* nome;
    Qt::Key tasto;
    std::vector<Posto> campi;
    std::vector<Atteso> dopo;
    std::optional<Rett> ridipinto;  // before cutting to the canvas
    const char* efX;                // nullptr: the palette refreshed from the selection
    const char* efY;
};

TEST_F(Comandi, AllineamentiESpostamenti) {
    const int MAX = std::numeric_limits<int>::max(), MIN = std::numeric_limits<int>::min();
    const Caso casi[] = {
        {"sinistra, misure diverse; il non scelto in mezzo resta fuori",
         Qt::Key_L,
         {{30, 40, 100, 18, true}, {10, 80, 50, 30, true}, {5, 60, 80, 18, false}},
         {{10, 40}, {10, 80}, {5, 60}},
         Rett{10, 40, 121, 71},
         "10",
         "segno"},
        {"sinistra verso 0",
         Qt::Key_L,
         {{0, 10, 40, 18, true}, {60, 40, 40, 18, true}},
         {{0, 10}, {0, 40}},
         Rett{0, 10, 101, 49},
         "0",
         "segno"},
        {"superiore",
         Qt::Key_T,
         {{30, 40, 100, 18, true}, {150, 20, 60, 30, true}},
         {{30, 20}, {150, 20}},
         Rett{30, 20, 181, 39},
         "segno",
         "20"},
        // The frames decide, even where a label is wider than its frame.
        {"destra: riferimento 150",
         Qt::Key_R,
         {{50, 10, 100, 18, true}, {120, 40, 20, 18, true}},
         {{50, 10}, {130, 40}},
         Rett{50, 10, 113, 49},
         nullptr,
         nullptr},
        {"inferiore, altezze diverse",
         Qt::Key_B,
         {{10, 10, 60, 18, true}, {100, 30, 60, 40, true}},
         {{10, 52}, {100, 30}},
         Rett{10, 10, 151, 61},
         nullptr,
         nullptr},
        {"su",
         Qt::Key_8,
         {{10, 10, 100, 19, true}},
         {{10, 9}},
         Rett{10, 9, 101, 21},
         nullptr,
         nullptr},
        {"giù",
         Qt::Key_2,
         {{10, 10, 100, 19, true}},
         {{10, 11}},
         Rett{10, 10, 101, 21},
         nullptr,
         nullptr},
        {"sinistra oltre il bordo",
         Qt::Key_4,
         {{0, 50, 40, 18, true}},
         {{-1, 50}},
         Rett{-1, 50, 42, 19},
         nullptr,
         nullptr},
        {"destra da posizioni negative",
         Qt::Key_6,
         {{-20, -5, 40, 18, true}},
         {{-19, -5}},
         Rett{-20, -5, 42, 19},
         nullptr,
         nullptr},
        {"nessuno scelto: sinistra",
         Qt::Key_L,
         {{30, 40, 100, 18, false}},
         {{30, 40}},
         std::nullopt,
         "segno",
         "segno"},
        {"nessuno scelto: destra",
         Qt::Key_R,
         {{30, 40, 100, 18, false}},
         {{30, 40}},
         std::nullopt,
         "",
         ""},
        {"nessuno scelto: giù",
         Qt::Key_2,
         {{30, 40, 100, 18, false}},
         {{30, 40}},
         std::nullopt,
         "",
         ""},
        // Far off the page: no start value caps the reference.
        {"sinistra oltre 100000",
         Qt::Key_L,
         {{200000, 10, 40, 18, true}, {300000, 40, 40, 18, true}},
         {{200000, 10}, {200000, 40}},
         std::nullopt,
         "200000",
         "segno"},
        {"destra sotto -100000",
         Qt::Key_R,
         {{-300000, 10, 40, 18, true}, {-200000, 40, 40, 18, true}},
         {{-200000, 10}, {-200000, 40}},
         std::nullopt,
         nullptr,
         nullptr},
        {"fermo al limite destro",
         Qt::Key_6,
         {{MAX, 10, 40, 18, true}},
         {{MAX, 10}},
         std::nullopt,
         nullptr,
         nullptr},
        {"fermo al limite sinistro",
         Qt::Key_4,
         {{MIN, 10, 40, 18, true}},
         {{MIN, 10}},
         std::nullopt,
         nullptr,
         nullptr},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        c.vCampi.clear();
        for (const Posto& p : k.campi) Campo_(p.x, p.y, p.larg, p.alt, p.sel);
        Prepara();
        Tasto(k.tasto);

        ASSERT_EQ(c.vCampi.size(), k.dopo.size());
        for (std::size_t i = 0; i < k.dopo.size(); ++i) {
            EXPECT_EQ(c.vCampi[i]->tx, k.dopo[i].x) << i;
            EXPECT_EQ(c.vCampi[i]->ty, k.dopo[i].y) << i;
            EXPECT_EQ(c.vCampi[i]->selezionato, k.campi[i].sel) << i;
        }

        // The repainted area is the expected one cut to the canvas.
        std::optional<Rett> atteso;
        if (k.ridipinto) {
            int l = std::clamp(k.ridipinto->x, 0, c.Width());
            int t = std::clamp(k.ridipinto->y, 0, c.Height());
            int r = std::clamp(k.ridipinto->x + k.ridipinto->w, 0, c.Width());
            int b = std::clamp(k.ridipinto->y + k.ridipinto->h, 0, c.Height());
            if (r > l && b > t) atteso = Rett{l, t, r - l, b - t};
        }
        EXPECT_EQ(Ridipinto(), atteso);
        if (atteso) {
            EXPECT_TRUE(RidipintoComeLaPagina(*atteso));
        }

        vx::wPalette& p = ::wPalette();
        if (k.efX) {
            EXPECT_EQ(p.efX->Text(), k.efX);
            EXPECT_EQ(p.efY->Text(), k.efY);
        } else {
            // Refreshed from the selection: a shared position shows, a mixed one
            // is empty.
            EXPECT_NE(p.efX->Text(), "segno");
            EXPECT_NE(p.efY->Text(), "segno");
        }
        EXPECT_TRUE(fw::testing::Shown().empty());
    }
}

// With no field on the page the eight commands do nothing at all.
TEST_F(Comandi, PaginaVuota) {
    for (Qt::Key t :
         {Qt::Key_L, Qt::Key_R, Qt::Key_T, Qt::Key_B, Qt::Key_8, Qt::Key_2, Qt::Key_4, Qt::Key_6}) {
        SCOPED_TRACE(static_cast<int>(t));
        Prepara();
        c.modificato = false;
        Tasto(t);
        EXPECT_EQ(Ridipinto(), std::nullopt);
        EXPECT_EQ(::wPalette().efX->Text(), "segno");
        EXPECT_EQ(::wPalette().efY->Text(), "segno");
        EXPECT_FALSE(c.modificato);
    }
}

TEST_F(Comandi, SelezionaTuttoDuplicaElimina) {
    Campo_(10, 10, 60, 18, false);
    Campo_(100, 50, 60, 18, true);
    Campo_(200, 90, 60, 18, false);
    Prepara();
    Tasto(Qt::Key_A);
    for (const auto& k : c.vCampi) EXPECT_TRUE(k->selezionato);
    EXPECT_EQ(c.vCampi[0]->tx, 10) << "select all keeps the order";
    EXPECT_NE(::wPalette().efX->Text(), "segno");

    // The copies come selected, their sources not.
    Tasto(Qt::Key_D);
    ASSERT_EQ(c.vCampi.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(c.vCampi[i]->selezionato, i >= 3) << i;

    fw::testing::AnswerMessageDialog(fw::testing::Answer::Button::Cancel);
    Tasto(Qt::Key_E);
    EXPECT_EQ(c.vCampi.size(), 6u);
    fw::testing::AnswerMessageDialog(fw::testing::Answer::Button::Action);
    Tasto(Qt::Key_E);
    ASSERT_EQ(c.vCampi.size(), 3u);
    for (const auto& k : c.vCampi) EXPECT_FALSE(k->selezionato);
    ASSERT_EQ(fw::testing::Shown().size(), 2u);
    EXPECT_EQ(fw::testing::Shown()[1].message, "Vuoi eliminare gli oggetti selezionati?");
    EXPECT_TRUE(c.modificato);
}

TEST_F(Comandi, AggiungiNellaParteVisibileConIDefault) {
    struct CasoAggiungi {
        int left, top;
        int x, y;
    };
    for (const CasoAggiungi& k :
         {CasoAggiungi{0, 0, 100, 100}, CasoAggiungi{-16, -254, 116, 354}}) {
        SCOPED_TRACE(k.x);
        c.vCampi.clear();
        c.modificato = false;
        c.SetLeft(k.left);
        c.SetTop(k.top);
        Campo_(300, 300, 60, 18, true);
        ::wPalette().efX->SetText("segno");
        Tasto(Qt::Key_N);
        ASSERT_EQ(c.vCampi.size(), 2u);
        const auto& nuovo = c.vCampi.back();
        EXPECT_EQ(nuovo->tx, k.x);
        EXPECT_EQ(nuovo->ty, k.y);
        EXPECT_FALSE(nuovo->selezionato);
        EXPECT_TRUE(c.vCampi.front()->selezionato);
        EXPECT_EQ(nuovo->iFont, font);
        EXPECT_EQ(nuovo->dimFont, 10);
        EXPECT_TRUE(c.modificato);
        EXPECT_EQ(::wPalette().efX->Text(), "segno");
        // Shown on the canvas as the page has it.
        QApplication::processEvents();
        EXPECT_TRUE(RidipintoComeLaPagina(Rett{k.x, k.y, nuovo->Larghezza(), nuovo->Altezza()}));
    }
    c.SetLeft(0);
    c.SetTop(0);
}

// The default size on line 2 of the preferences file is read as the
// configuration files are, whatever the desktop's locale.
TEST_F(Comandi, AggiungiLeggeLaDimensioneDellePreferenzeSuOgniDesktop) {
    const std::pair<const char*, int> casi[] = {
        {"1.2e1", 12}, {"10.5", 10}, {" 9", 9}, {"12,5", 12}};
    for (const char* nome : prova::kLocaliProvati) {
        prova::LocaleDiProcesso locale(nome);
        ASSERT_TRUE(locale.Ok()) << "locale " << nome << " missing: run scripts/setup";
        for (const auto& [testo, dimensione] : casi) {
            SCOPED_TRACE(std::string(nome) + " " + testo);
            a.cartella.Scrivi("Velarix pref", std::string("DejaVu Sans\r") + testo + "\r");
            c.vCampi.clear();
            Tasto(Qt::Key_N);
            ASSERT_EQ(c.vCampi.size(), 1u);
            EXPECT_EQ(c.vCampi[0]->iFont, font);
            EXPECT_EQ(c.vCampi[0]->dimFont, dimensione);
        }
    }
}

TEST_F(Comandi, AggiungiSenzaFileDellePreferenze) {
    QFile::remove(QString::fromStdString(a.cartella.File("Velarix pref")));
    fw::testing::AnswerMsgBox();
    fw::testing::AnswerMsgBox();
    Tasto(Qt::Key_N);
    ASSERT_EQ(c.vCampi.size(), 1u);
    EXPECT_EQ(c.vCampi[0]->iFont, 0);
    EXPECT_EQ(c.vCampi[0]->dimFont, 0);
    ASSERT_EQ(fw::testing::Shown().size(), 2u);
    EXPECT_EQ(fw::testing::Shown()[0].message, "Il file delle preferenze non esiste.");
}

}  // namespace
