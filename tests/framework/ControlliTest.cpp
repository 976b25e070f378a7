// The controls over Qt widgets, driven by real mouse and key events in a shown
// window: which changes raise events, the Default and Cancel keys, stacking.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Aiuti.h"
#include "Pixel.h"
#include "framework/Controls.h"
#include "framework/Drawing.h"
#include "framework/Window.h"

using namespace fw;

namespace {

using prova::Aggiorna;

void Mostra(Window& w) {
    w.Show();
    w.Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.Widget()));
    Aggiorna();
}

class Finestra : public Window {
  public:
    using Window::Window;
    std::vector<String> eventi;
    bool CancelClose() override {
        eventi.push_back("CancelClose");
        return false;
    }
    void Open() override { eventi.push_back("Open"); }
};

}  // namespace

TEST(Controlli, EventiDaUtenteEDaCodice) {
    Window f(0);
    f.SetSize(400, 300);
    PopupMenu pm(f, "pm", 10, 10, 150, 22);
    ScrollBar sb(f, "sb", 10, 50, 200, 16);
    BevelButton bb(f, "bb", 10, 80, 18, 18);
    int change = 0, valore = 0, azioni = 0;
    pm.onChange = [&] { ++change; };
    sb.onValueChanged = [&] { ++valore; };
    bb.onAction = [&] { ++azioni; };
    for (const char* r : {"Su tutte", "Su tutte tranne l'ultima", "Solo sull'ultima"}) pm.AddRow(r);
    sb.SetMaximum(100);
    bb.SetButtonType(1);
    Mostra(f);
    QWidget* barra = sb.Widget();
    QStyleOptionSlider opt;
    opt.initFrom(barra);
    auto* qsb = static_cast<QScrollBar*>(barra);
    auto parte = [&](QStyle::SubControl sc) {
        opt.orientation = qsb->orientation();
        opt.minimum = qsb->minimum();
        opt.maximum = qsb->maximum();
        opt.sliderPosition = qsb->sliderPosition();
        opt.sliderValue = qsb->value();
        opt.singleStep = qsb->singleStep();
        opt.pageStep = qsb->pageStep();
        opt.upsideDown = false;
        return barra->style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, barra);
    };

    struct Caso {
        const char* cosa;
        std::function<void()> fai;
        int change, valore, azioni;
        std::function<bool()> dopo;
    };
    const std::vector<Caso> casi = {
        {"righe aggiunte non scelgono", [] {}, 0, 0, 0,
         [&] { return pm.ListIndex() == -1 && pm.ListCount() == 3; }},
        {"ListIndex in codice", [&] { pm.SetListIndex(1); }, 1, 0, 0,
         [&] { return pm.ListIndex() == 1; }},
        {"stesso ListIndex", [&] { pm.SetListIndex(1); }, 1, 0, 0,
         [&] { return pm.ListIndex() == 1; }},
        {"ListIndex fuori", [&] { pm.SetListIndex(7); }, 1, 0, 0,
         [&] { return pm.ListIndex() == -1; }},
        {"ListIndex -1", [&] { pm.SetListIndex(-1); }, 1, 0, 0,
         [&] { return static_cast<QComboBox*>(pm.Widget())->currentText().isEmpty(); }},
        {"scelta con i tasti",
         [&] {
             pm.SetListIndex(0);
             change = 0;
             QTest::keyClick(pm.Widget(), Qt::Key_Down);
         },
         1, 0, 0, [&] { return pm.ListIndex() == 1; }},
        {"righe tolte", [&] { pm.DeleteAllRows(); }, 0, 0, 0,
         [&] { return pm.ListIndex() == -1 && pm.List(0).empty(); }},
        {"Value in codice", [&] { sb.SetValue(10); }, 0, 1, 0, [&] { return sb.Value() == 10; }},
        {"stesso Value", [&] { sb.SetValue(10); }, 0, 0, 0, [&] { return sb.Value() == 10; }},
        {"Value oltre il massimo", [&] { sb.SetValue(500); }, 0, 1, 0,
         [&] { return sb.Value() == 100; }},
        {"Value sotto il minimo", [&] { sb.SetValue(-3); }, 0, 1, 0,
         [&] { return sb.Value() == 0; }},
        {"freccia",
         [&] {
             sb.SetLineStep(2);
             valore = 0;
             QTest::mouseClick(barra, Qt::LeftButton, {},
                               parte(QStyle::SC_ScrollBarAddLine).center());
         },
         0, 1, 0, [&] { return sb.Value() == 2; }},
        {"clic sulla pagina",
         [&] {
             sb.SetPageStep(20);
             QTest::mouseClick(barra, Qt::LeftButton, {},
                               parte(QStyle::SC_ScrollBarAddPage).center());
         },
         0, 1, 0, [&] { return sb.Value() == 22; }},
        {"cursore trascinato",
         [&] {
             QPoint da = parte(QStyle::SC_ScrollBarSlider).center();
             QTest::mousePress(barra, Qt::LeftButton, {}, da);
             QTest::mouseMove(barra, da + QPoint(15, 0));
             QTest::mouseMove(barra, da + QPoint(40, 0));
             QTest::mouseRelease(barra, Qt::LeftButton, {}, da + QPoint(40, 0));
         },
         0, 2, 0, [&] { return sb.Value() > 22; }},
        {"interruttore cliccato", [&] { QTest::mouseClick(bb.Widget(), Qt::LeftButton); }, 0, 0, 1,
         [&] { return bb.Value(); }},
        {"interruttore Click", [&] { bb.Click(); }, 0, 0, 1, [&] { return !bb.Value(); }},
        {"Value in codice non agisce", [&] { bb.SetValue(true); }, 0, 0, 0,
         [&] { return bb.Value(); }},
        {"MenuValue in codice non agisce", [&] { bb.SetMenuValue(3); }, 0, 0, 0,
         [&] { return bb.MenuValue() == 3 && bb.List(3).empty(); }},
        {"disabilitato non agisce",
         [&] {
             bb.SetEnabled(false);
             QTest::mouseClick(bb.Widget(), Qt::LeftButton);
             bb.Click();
         },
         0, 0, 0, [&] { return bb.Value(); }},
    };
    for (const Caso& c : casi) {
        change = valore = azioni = 0;
        c.fai();
        Aggiorna();
        EXPECT_EQ(change, c.change) << c.cosa;
        EXPECT_EQ(valore, c.valore) << c.cosa;
        EXPECT_EQ(azioni, c.azioni) << c.cosa;
        EXPECT_TRUE(c.dopo()) << c.cosa;
    }
}

TEST(Controlli, ReturnEdEscPremonoDefaultECancel) {
    for (Integer cornice : {0, 1}) {
        SCOPED_TRACE(cornice);
        Finestra f(cornice);
        f.SetSize(420, 162);
        PushButton ok(f, "pbOK", 320, 122, 80, 20);
        PushButton annulla(f, "pbAnnulla", 228, 122, 80, 20);
        EditField campo(f, "ef", 20, 20, 100, 22);
        ok.SetDefault(true);
        annulla.SetCancel(true);
        std::vector<String> premuti;
        ok.onAction = [&] { premuti.push_back("OK"); };
        annulla.onAction = [&] { premuti.push_back("Annulla"); };
        Mostra(f);
        campo.SetFocus();
        QTest::keyClick(campo.Widget(), Qt::Key_Return);
        QTest::keyClick(campo.Widget(), Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(campo.Widget(), Qt::Key_Escape);
        // Focus on the other button: Return is still the default button's.
        annulla.Widget()->setFocus();
        QTest::keyClick(annulla.Widget(), Qt::Key_Return);
        ok.Push();
        EXPECT_EQ(premuti, (std::vector<String>{"OK", "OK", "Annulla", "OK", "OK"}));
        EXPECT_TRUE(f.Visible()) << "Escape pressed Annulla and did not close";

        premuti.clear();
        ok.SetEnabled(false);
        annulla.SetVisible(false);
        QTest::keyClick(campo.Widget(), Qt::Key_Return);
        ok.Push();
        EXPECT_TRUE(premuti.empty());
        // No Cancel button to take it: a dialog closes on Escape, asking first.
        QTest::keyClick(campo.Widget(), Qt::Key_Escape);
        Aggiorna();
        EXPECT_EQ(f.Visible(), cornice == 0);
        EXPECT_EQ(f.eventi.back(), cornice == 0 ? "Open" : "CancelClose");
        f.Hide();
    }
}

TEST(Controlli, MenuDelPulsanteSmussato) {
    Window f(3);
    f.SetSize(320, 264);
    BevelButton font(f, "bbFont", 106, 102, 194, 18);
    font.SetHasMenu(true);
    font.SetMenuValue(0);
    std::vector<String> scelte;
    font.onAction = [&] { scelte.push_back(font.List(font.MenuValue())); };
    // Rows added while the menu exists and before it.
    for (const char* r : {"Alfa", "Beta & Co", "Gamma"}) font.AddRow(r);
    Mostra(f);
    EXPECT_EQ(font.ListCount(), 3);
    EXPECT_EQ(font.List(-1), "");
    EXPECT_EQ(font.List(3), "");
    font.ChooseRow(2);
    font.ChooseRow(9);  // no such row: nothing
    font.Click();       // opens no menu and chooses nothing
    EXPECT_EQ(scelte, (std::vector<String>{"Gamma"}));

    // A real press opens the menu; a click on a row chooses it.
    bool aperto = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        aperto = true;
        QAction* riga = menu->actions().at(1);
        EXPECT_EQ(riga->text(), "Beta && Co");
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(riga).center());
        if (menu->isVisible()) menu->close();  // a missed click fails below, not hangs
    });
    QTest::mouseClick(font.Widget(), Qt::LeftButton);
    Aggiorna();
    ASSERT_TRUE(aperto);
    EXPECT_EQ(font.MenuValue(), 1);
    EXPECT_EQ(scelte, (std::vector<String>{"Gamma", "Beta & Co"}));
    EXPECT_EQ(static_cast<QToolButton*>(font.Widget())->focusPolicy(), Qt::NoFocus);
}

TEST(Controlli, RadioSiEscludonoEIlCodiceLiSpegne) {
    Window f(1);
    f.SetSize(420, 162);
    RadioButton nuovo(f, "rbNuovo", 41, 49, 80, 20), apri(f, "rbApri", 41, 76, 80, 20);
    nuovo.SetCaption("Nuovo");
    nuovo.SetValue(true);
    Mostra(f);
    QTest::mouseClick(apri.Widget(), Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_TRUE(apri.Value());
    EXPECT_FALSE(nuovo.Value());
    nuovo.SetValue(true);
    EXPECT_FALSE(apri.Value());
    nuovo.SetValue(false);
    EXPECT_FALSE(nuovo.Value());
    EXPECT_EQ(nuovo.Caption(), "Nuovo");
    f.Hide();
}

// Labels made before the group box, a button after: the box lies under both, and
// a press inside it reaches what is beneath.
TEST(Controlli, GruppoSottoATuttoETrasparenteAlMouse) {
    Window f(1);
    f.SetSize(420, 162);
    Canvas sotto(f, "Canvas1", 30, 30, 100, 60);
    StaticText etichetta(f, "StaticText1", 36, 44, 110, 20);
    GroupBox gruppo(f, "GroupBox1", 20, 14, 380, 96);
    PushButton dopo(f, "pb", 200, 40, 80, 20);
    gruppo.SetCaption("Default");
    etichetta.SetText("Font:");
    std::vector<String> premuto;
    sotto.onMouseDown = [&](Integer x, Integer y) {
        premuto.push_back(std::to_string(x) + "," + std::to_string(y));
        return false;
    };
    Mostra(f);
    const QObjectList& figli = f.Content()->children();
    int g = static_cast<int>(figli.indexOf(gruppo.Widget()));
    for (Control* c : std::initializer_list<Control*>{&sotto, &etichetta, &dopo}) {
        EXPECT_LT(g, figli.indexOf(c->Widget())) << c->Name();
    }
    // Pressed where the window is hit: on the label, which lies over the canvas and
    // takes no clicks, then on the bare group box.
    QWidget* contenuto = f.Content();
    QWindow* schermo = f.Widget()->windowHandle();
    for (QPoint p : {QPoint(60, 50), QPoint(150, 30)}) {
        QTest::mouseClick(schermo, Qt::LeftButton, {}, contenuto->mapTo(f.Widget(), p));
    }
    EXPECT_EQ(contenuto->childAt(40, 50), sotto.Widget());
    EXPECT_EQ(contenuto->childAt(150, 30), nullptr);
    EXPECT_EQ(premuto, std::vector<String>{"30,20"});
    f.Hide();
}

TEST(Controlli, TestoStaticoARighe) {
    Window f(0);
    StaticText t(f, "StaticText1", 0, 0, 91, 77);
    t.SetText("Velarix 1.0.4\rNorvale\r\n\r27-04-2017");
    auto* etichetta = static_cast<QLabel*>(t.Widget());
    EXPECT_EQ(t.Text(), "Velarix 1.0.4\rNorvale\r\n\r27-04-2017");
    EXPECT_EQ(etichetta->text(), "Velarix 1.0.4\nNorvale\n\n27-04-2017");
    EXPECT_FALSE(etichetta->wordWrap());
    t.SetMultiLine(true);
    EXPECT_TRUE(etichetta->wordWrap());
    t.SetTextAlign(2);
    EXPECT_TRUE(etichetta->alignment() & Qt::AlignRight);
    t.SetTextColor(0xFF0906);
    EXPECT_EQ(etichetta->palette().color(QPalette::WindowText), QColor(0xFF, 0x09, 0x06));
}

TEST(Controlli, ListaNascostaEFuoriRiga) {
    Window f(0);
    ListBox lb(f, "lbCodCampi", 307, 13, 70, 18, 0);
    lb.SetVisible(false);
    lb.AddRow("RAG");
    lb.AddRow("IND");
    EXPECT_EQ(lb.ListCount(), 2);
    EXPECT_EQ(lb.List(1), "IND");
    EXPECT_EQ(lb.List(2), "");
    EXPECT_EQ(lb.List(-1), "");
    EXPECT_EQ(lb.Index(), 0);
}

TEST(Controlli, RettangoloRiempitoEBordato) {
    Window f(3);
    f.SetSize(100, 60);
    RectangleControl quadrato(f, "Rectangle3", 10, 10, 24, 24);
    RectangleControl cornice(f, "Rectangle1", 40, 10, 24, 24);
    quadrato.SetFillColor(0x1309D6);
    quadrato.SetBorderWidth(0);
    cornice.SetFillColor(0xFFFFFF);
    cornice.SetBorderColor(0x60C865);
    cornice.SetBorderWidth(3);
    Mostra(f);
    QImage img = f.Content()->grab().toImage();
    auto punto = [&](int x, int y) { return prova::Colore(img, x, y); };
    EXPECT_EQ(punto(10, 10), 0x1309D6u);
    EXPECT_EQ(punto(33, 33), 0x1309D6u);
    EXPECT_EQ(punto(40, 10), 0x60C865u);
    EXPECT_EQ(punto(42, 31), 0x60C865u);
    EXPECT_EQ(punto(63, 20), 0x60C865u);
    EXPECT_EQ(punto(43, 13), 0xFFFFFFu);
    EXPECT_EQ(punto(60, 30), 0xFFFFFFu);
}

TEST(Controlli, StileDelTesto) {
    Window f(0);
    BevelButton g(f, "bbGrassetto", 0, 0, 18, 18);
    StaticText t(f, "t", 0, 0, 50, 18);
    const QFont base = QApplication::font();
    const QString dejavu = "DejaVu Sans";
    ASSERT_TRUE(QFontDatabase::families().contains(dejavu));
    struct Caso {
        String font;
        double size;
        QString famiglia;
        int pixel;  // -1: the platform's size
    };
    const Caso casi[] = {
        {"System", 12, base.family(), 12}, {"system", 0, base.family(), -1},
        {"Geneva", 10, base.family(), 10}, {"", 10.7, base.family(), 10},
        {"DejaVu Sans", 9, dejavu, 9},     {"Nessun font così", 14, base.family(), 14},
    };
    for (const Caso& c : casi) {
        SetTextStyle(t, c.font, c.size, false, true);
        QFont q = t.Widget()->font();
        EXPECT_EQ(q.family(), c.famiglia) << c.font;
        if (c.pixel < 0) {
            EXPECT_EQ(q.pixelSize(), base.pixelSize()) << c.font;
            EXPECT_EQ(q.pointSizeF(), base.pointSizeF()) << c.font;
        } else {
            EXPECT_EQ(q.pixelSize(), c.pixel) << c.font;
        }
        EXPECT_TRUE(q.italic());
        EXPECT_FALSE(q.bold());
    }
    // The caption's bold stays whatever order the two are set in.
    g.SetCaptionStyle(true, false, false);
    SetTextStyle(g, "System", 12);
    EXPECT_TRUE(g.Widget()->font().bold());
    EXPECT_EQ(g.Widget()->font().pixelSize(), 12);
}

// Handlers attached to controls the window does not subclass: Open in creation
// order before the window's, Paint on show, MouseDown from a real press.
TEST(Controlli, GestoriDiAperturaDisegnoEMouse) {
    Finestra f(1);
    f.SetSize(320, 200);
    BevelButton font(f, "bbFont", 10, 10, 194, 18);
    Canvas colore(f, "canColore", 10, 40, 57, 18);
    font.SetHasMenu(true);
    font.onOpen = [&] {
        f.eventi.push_back("bbFont_Open");
        font.AddRow("Alfa");
    };
    colore.onOpen = [&] { f.eventi.push_back("canColore_Open"); };
    int dipinto = 0;
    colore.onPaint = [&](fw::Graphics& g) {
        ++dipinto;
        g.ForeColor = 0xFF0000;
        g.FillRect(0, 0, g.Width(), g.Height());
    };
    colore.onMouseDown = [&](Integer x, Integer y) {
        f.eventi.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return false;
    };
    Mostra(f);
    EXPECT_GE(dipinto, 1);
    EXPECT_EQ(colore.Graphics().Pixel(5, 5), 0xFF0000u);
    QTest::mouseClick(colore.Widget(), Qt::LeftButton, {}, QPoint(4, 6));
    EXPECT_EQ(f.eventi, (std::vector<String>{"bbFont_Open", "canColore_Open", "Open", "down 4,6"}));
    EXPECT_EQ(font.List(0), "Alfa");
    f.Hide();
}

// An icon drawn at one device pixel per page pixel stays sharp on a dense screen:
// its pixels are doubled, never blended.
TEST(Controlli, IconaNitidaANuovaDensita) {
    Window f(3);
    BevelButton b(f, "bbSinistra", 214, 146, 18, 18);
    QImage scacchi(4, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) scacchi.setPixel(x, y, (x + y) % 2 ? 0xFF000000 : 0xFFFFFFFF);
    }
    b.SetIcon(Picture::FromImage(scacchi));
    b.SetHelpTag("Allineamento sinistra");
    auto* tb = static_cast<QToolButton*>(b.Widget());
    ASSERT_FALSE(tb->icon().isNull());
    EXPECT_EQ(tb->iconSize(), QSize(4, 4));
    EXPECT_EQ(tb->toolTip(), "Allineamento sinistra");
    QImage doppia = tb->icon().pixmap(QSize(4, 4), 2.0).toImage();
    ASSERT_EQ(doppia.size(), QSize(8, 8));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(doppia.pixel(x, y), scacchi.pixel(x / 2, y / 2)) << x << "," << y;
        }
    }
    b.SetIcon(nullptr);
    EXPECT_TRUE(tb->icon().isNull());
}

// A pressed toggle is plainly told from a released one, with a caption or a
// picture: its face far darker, a dark rim all round, the caption still dark
// on it. The style's own pressed face was barely darker (#DBDBDB on #EFEFEF).
TEST(Controlli, InterruttorePremutoBenDistintoDaRilasciato) {
    Window f(3);
    f.SetSize(100, 40);
    BevelButton g(f, "bbGrassetto", 10, 10, 18, 18);
    g.SetButtonType(1);
    g.SetCaption("G");
    SetTextStyle(g, "System", 12, true);
    BevelButton s(f, "bbSinistra", 40, 10, 18, 18);
    s.SetButtonType(1);
    QImage righe(14, 14, QImage::Format_ARGB32);
    righe.fill(Qt::transparent);
    for (int y = 2; y < 14; y += 3) {
        for (int x = 1; x < (y % 2 ? 13 : 9); ++x) righe.setPixel(x, y, 0xFF303030);
    }
    s.SetIcon(Picture::FromImage(righe));
    Mostra(f);
    auto luce = [](const QImage& i, int x, int y) {
        return prova::Luminosita(prova::Colore(i, x, y));
    };
    auto piuScuro = [](const QImage& i) {
        int minimo = 255;
        for (int y = 0; y < i.height(); ++y) {
            for (int x = 0; x < i.width(); ++x) {
                QRgb v = i.pixel(x, y);
                minimo = std::min(minimo, prova::Luminosita(RGB(qRed(v), qGreen(v), qBlue(v))));
            }
        }
        return minimo;
    };
    for (BevelButton* b : {&g, &s}) {
        SCOPED_TRACE(b->Name());
        b->SetValue(false);
        Aggiorna();
        QImage su = b->Widget()->grab().toImage();
        b->SetValue(true);
        Aggiorna();
        QImage giu = b->Widget()->grab().toImage();
        // The face, left of the caption and inside the rim and shadow.
        for (auto [x, y] : {std::pair{2, 9}, {15, 15}, {9, 2}}) {
            EXPECT_GE(luce(su, x, y) - luce(giu, x, y), 60) << x << ", " << y;
        }
        for (int i = 0; i < 18; ++i) {
            EXPECT_LT(luce(giu, i, 0), 100);
            EXPECT_LT(luce(giu, i, 17), 100);
            EXPECT_LT(luce(giu, 0, i), 100);
            EXPECT_LT(luce(giu, 17, i), 100);
        }
        // The caption or the picture still shows, darker than the face (at
        // some ratios the picture, scaled, reaches one of the face's points).
        int faccia = std::max({luce(giu, 2, 9), luce(giu, 15, 15), luce(giu, 9, 2)});
        EXPECT_LT(piuScuro(giu.copy(3, 3, giu.width() - 6, giu.height() - 6)), faccia - 80);
    }
}
