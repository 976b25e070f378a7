#include "palette/wPalette.h"

#include "document/wMain.h"
#include "framework/Drawing.h"
#include "framework/Resources.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/Catalogo.h"

namespace vx {

namespace {

// Where the palette stands from the main window's frame: right of it and below
// its top, as 600, 40 is from a main window 584 wide in the screen's corner.
constexpr fw::Integer kDistanzaDallaFinestra = 16;
constexpr fw::Integer kSottoLaCima = 40;

// Label of the palette: left-aligned black text, one line.
void Etichetta(fw::StaticText& st, const fw::String& testo) {
    st.SetText(testo);
    st.SetTextAlign(0);
    st.SetTextColor(0x000000);
    st.SetMultiLine(false);
    fw::SetTextStyle(st, "Geneva", 10);
}

void Pulsante(fw::PushButton& pb, const fw::String& titolo) {
    pb.SetCaption(titolo);
    pb.SetDefault(false);
    pb.SetCancel(false);
    fw::SetTextStyle(pb, "System", 12);
}

void Casella(fw::EditField& ef) {
    ef.SetText("");
    fw::SetTextStyle(ef, "Geneva", 10);
}

// A bevel button that flips its Value at each click.
void Interruttore(fw::BevelButton& bb, const fw::String& titolo, bool g = false, bool c = false,
                  bool s = false) {
    bb.SetButtonType(1);
    bb.SetHasMenu(false);
    bb.SetCaption(titolo);
    bb.SetValue(false);
    fw::SetTextStyle(bb, "System", 12, g, c, s);
}

// The square whose colour shows around an alignment toggle: the colour the page
// gives a field's border for that alignment.
void Quadrato(fw::RectangleControl& r, fw::Color colore) {
    r.SetFillColor(colore);
    r.SetBorderColor(colore);
    r.SetBorderWidth(0);
}

void RiempiRiquadro(fw::Canvas& canvas, fw::Color colore) {
    fw::Graphics& g = canvas.Graphics();
    g.ForeColor = colore;
    g.FillRect(1, 1, g.Width() - 2, g.Height() - 2);
}

}  // namespace

wPalette::wPalette() : fw::Window(fw::kFloatingWindow) {
    SetTitle("");
    SetSize(320, 264);
    SetResizeable(false);
    SetCloseButton(false);
    SetMaximizeButton(false);
    SetMinimizeButton(false);
    SetMinimumSize(64, 64);
    SetMaximumSize(32000, 32000);
    _CreateControls0();
    // The controls' Open (the font menu's rows) and the window's own run now, so
    // the palette is complete as soon as anyone holds it, shown or not.
    RaiseOpen();
    Show();
}

wPalette::~wPalette() = default;

void wPalette::_CreateControls0() {
    // Settings are applied before the handlers are bound, so the values the
    // controls start with reach no handler.
    pbAggiungi = std::make_unique<fw::PushButton>(*this, "pbAggiungi", 20, 224, 83, 20);
    Pulsante(*pbAggiungi, "Aggiungi");
    pbAggiungi->onAction = [this] { pbAggiungi_Action(); };

    struct Testo {
        std::unique_ptr<fw::StaticText>& st;
        const char* nome;
        Integer left, top;
        const char* testo;
    };
    const Testo testi[] = {
        {StaticText1, "StaticText1", 20, 15, "Campo:"},
        {StaticText2, "StaticText2", 20, 37, "Testo fisso:"},
        {StaticText3, "StaticText3", 20, 59, "Sinistra:"},
        {StaticText4, "StaticText4", 20, 81, "Superiore:"},
        {StaticText5, "StaticText5", 164, 59, "Larghezza:"},
        {StaticText6, "StaticText6", 164, 81, "Altezza:"},
        {StaticText7, "StaticText7", 20, 103, "Font:"},
        {StaticText8, "StaticText8", 20, 125, "Dimensione:"},
        {StaticText9, "StaticText9", 20, 147, "Stile:"},
        {StaticText10, "StaticText10", 20, 169, "Colore testo:"},
        {StaticText12, "StaticText12", 20, 191, "Pagina:"},
    };
    for (const Testo& t : testi) {
        t.st = std::make_unique<fw::StaticText>(*this, t.nome, t.left, t.top, 74, 18);
        Etichetta(*t.st, t.testo);
    }

    efTestoFisso = std::make_unique<fw::EditField>(*this, "efTestoFisso", 106, 36, 194, 18);
    Casella(*efTestoFisso);
    efTestoFisso->onLostFocus = [this] { efTestoFisso_LostFocus(); };
    efTestoFisso->onTextChange = [this] { efTestoFisso_TextChange(); };

    efX = std::make_unique<EditFieldNum>(*this, "efX", 106, 58, 50, 18);
    Casella(*efX);
    efX->onTextChange = [this] { efX_TextChange(); };
    efX->onLostFocus = [this] { efX_LostFocus(); };

    efY = std::make_unique<EditFieldNum>(*this, "efY", 106, 80, 50, 18);
    Casella(*efY);
    efY->onTextChange = [this] { efY_TextChange(); };
    efY->onLostFocus = [this] { efY_LostFocus(); };

    efLargh = std::make_unique<EditFieldNum>(*this, "efLargh", 250, 58, 50, 18);
    Casella(*efLargh);
    efLargh->onTextChange = [this] { efLargh_TextChange(); };
    efLargh->onLostFocus = [this] { efLargh_LostFocus(); };

    efAlt = std::make_unique<EditFieldNum>(*this, "efAlt", 250, 80, 50, 18);
    Casella(*efAlt);
    efAlt->onTextChange = [this] { efAlt_TextChange(); };
    efAlt->onLostFocus = [this] { efAlt_LostFocus(); };

    // The catalogue's names; member 0 is the only one the program makes.
    {
        auto pm = std::make_unique<fw::PopupMenu>(*this, "pmCampi", 106, 13, 194, 20, 0);
        for (Integer r = 0; r < Catalogo::NUM_RIGHE; ++r) pm->AddRow(Catalogo::Nome(r));
        pm->SetListIndex(0);
        fw::SetTextStyle(*pm, "Geneva", 10);
        fw::PopupMenu* membro = pm.get();
        pm->onChange = [this, membro] { pmCampi_Change(membro->Index()); };
        pmCampi.push_back(std::move(pm));
    }

    pmPagina = std::make_unique<fw::PopupMenu>(*this, "pmPagina", 106, 190, 194, 19);
    pmPagina->AddRow("Su tutte");
    pmPagina->AddRow("Su tutte tranne l'ultima");
    pmPagina->AddRow("Solo sull'ultima");
    pmPagina->SetListIndex(0);
    fw::SetTextStyle(*pmPagina, "Geneva", 10);
    pmPagina->onChange = [this] { pmPagina_Change(); };

    bbGrassetto = std::make_unique<fw::BevelButton>(*this, "bbGrassetto", 106, 146, 18, 18);
    Interruttore(*bbGrassetto, "G", true, false, false);
    bbGrassetto->onAction = [this] { bbGrassetto_Action(); };

    bbCorsivo = std::make_unique<fw::BevelButton>(*this, "bbCorsivo", 136, 146, 18, 18);
    Interruttore(*bbCorsivo, "C", false, true, false);
    bbCorsivo->onAction = [this] { bbCorsivo_Action(); };

    bbSottolineato = std::make_unique<fw::BevelButton>(*this, "bbSottolineato", 166, 146, 18, 18);
    Interruttore(*bbSottolineato, "S", false, false, true);
    bbSottolineato->onAction = [this] { bbSottolineato_Action(); };

    canColore = std::make_unique<fw::Canvas>(*this, "canColore", 106, 168, 57, 18);
    canColore->onMouseDown = [this](Integer x, Integer y) { return canColore_MouseDown(x, y); };
    canColore->onPaint = [this](fw::Graphics& g) { canColore_Paint(g); };

    bbFont = std::make_unique<fw::BevelButton>(*this, "bbFont", 106, 102, 194, 18);
    bbFont->SetHasMenu(true);
    bbFont->SetButtonType(0);
    bbFont->SetCaption("");
    bbFont->SetMenuValue(0);
    fw::SetTextStyle(*bbFont, "Geneva", 10);
    bbFont->onAction = [this] { bbFont_Action(); };
    bbFont->onOpen = [this] { bbFont_Open(); };

    // Below the window's bottom edge: never seen.
    stStatus = std::make_unique<fw::StaticText>(*this, "stStatus", 20, 324, 180, 12);
    Etichetta(*stStatus, "");

    pbElimina = std::make_unique<fw::PushButton>(*this, "pbElimina", 215, 224, 85, 20);
    Pulsante(*pbElimina, "Elimina");
    pbElimina->onAction = [this] { pbElimina_Action(); };

    // The catalogue's codes, paired with pmCampi by row; never shown.
    {
        auto lb = std::make_unique<fw::ListBox>(*this, "lbCodCampi", 307, 13, 70, 18, 0);
        lb->SetVisible(false);
        for (Integer r = 0; r < Catalogo::NUM_RIGHE; ++r) lb->AddRow(Catalogo::Codice(r));
        fw::SetTextStyle(*lb, "System", 12);
        lbCodCampi.push_back(std::move(lb));
    }

    efDimFont = std::make_unique<EditFieldNum>(*this, "efDimFont", 106, 124, 50, 18);
    Casella(*efDimFont);
    efDimFont->onTextChange = [this] { efDimFont_TextChange(); };
    efDimFont->onLostFocus = [this] { efDimFont_LostFocus(); };

    pbDuplica = std::make_unique<fw::PushButton>(*this, "pbDuplica", 117, 224, 85, 20);
    Pulsante(*pbDuplica, "Duplica");
    pbDuplica->onAction = [this] { pbDuplica_Action(); };

    // Each alignment toggle sits 3 pixels inside a square of its border colour.
    Rectangle1 = std::make_unique<fw::RectangleControl>(*this, "Rectangle1", 271, 143, 24, 24);
    Quadrato(*Rectangle1, Campo::kBordoDestra);

    bbDestra = std::make_unique<fw::BevelButton>(*this, "bbDestra", 274, 146, 18, 18);
    bbDestra->SetIcon(text_align_right());
    Interruttore(*bbDestra, "");
    bbDestra->SetHelpTag("Allineamento destra");
    bbDestra->onAction = [this] { bbDestra_Action(); };

    Rectangle2 = std::make_unique<fw::RectangleControl>(*this, "Rectangle2", 241, 143, 24, 24);
    Quadrato(*Rectangle2, Campo::kBordoCentro);

    // There is no picture for the centre: it shares the right one.
    bbCentro = std::make_unique<fw::BevelButton>(*this, "bbCentro", 244, 146, 18, 18);
    bbCentro->SetIcon(text_align_right());
    Interruttore(*bbCentro, "");
    bbCentro->SetHelpTag("Allineamento centrale");
    bbCentro->onAction = [this] { bbCentro_Action(); };

    Rectangle3 = std::make_unique<fw::RectangleControl>(*this, "Rectangle3", 211, 143, 24, 24);
    Quadrato(*Rectangle3, Campo::kBordoSinistra);

    bbSinistra = std::make_unique<fw::BevelButton>(*this, "bbSinistra", 214, 146, 18, 18);
    bbSinistra->SetIcon(text_align_left());
    Interruttore(*bbSinistra, "");
    bbSinistra->SetHelpTag("Allineamento sinistra");
    bbSinistra->onAction = [this] { bbSinistra_Action(); };
}

void wPalette::Open() {
    editato = true;
    // Beside the main window's right edge, wherever the window manager put it;
    // without a main window, at the screen's 600, 40.
    if (fw::ImplicitExists<vx::wMain>()) {
        PlaceBeside(::wMain(), kDistanzaDallaFinestra, kSottoLaCima);
    } else {
        SetTop(40);
        SetLeft(600);
    }
}

void wPalette::Init() {
    pmCampi.at(0)->SetVisible(false);
    fw::PopupMenu& pm = *pmCampi.at(::wMain().modulo);
    pm.SetVisible(true);
    pm.SetTop(13);
    pm.SetLeft(106);
}

// Every document type's code list holds the catalogue's codes, row for row.
fw::Integer wPalette::CercaCampo(const String& codice) {
    return Catalogo::CercaCampo(codice);
}

void wPalette::PopolaDim() {
    const auto& campi = ::wMain().DragCanvas1->vCampi;
    if (campi.empty()) return;
    Integer x = 0, y = 0, w = 0, h = 0;
    bool trovato = false;
    for (const auto& k : campi) {
        if (!k->selezionato) continue;
        double W = k->riquadro->Width, H = k->riquadro->Height;
        if (!trovato) {
            x = k->tx;
            y = k->ty;
            w = fw::ToInteger(W);
            h = fw::ToInteger(H);
            trovato = true;
        } else {
            if (k->tx != x) x = 0;
            if (k->ty != y) y = 0;
            if (W != w) w = 0;
            if (H != h) h = 0;
        }
    }
    efX->SetText(Modulo1::StrZeroVuoto(x));
    efY->SetText(Modulo1::StrZeroVuoto(y));
    efLargh->SetText(Modulo1::StrZeroVuoto(w));
    efAlt->SetText(Modulo1::StrZeroVuoto(h));
}

void wPalette::Popola() {
    PopolaDim();
    const auto& campi = ::wMain().DragCanvas1->vCampi;
    if (campi.empty()) return;

    Integer riga = 0;
    String testo;
    Integer font = 0;
    Integer dim = 0;
    bool grassetto = false, corsivo = false, sottolineato = false;
    fw::Color colore = 0x000000;
    Integer pagina = 0;
    Integer allineamento = Campo::kNessuno;
    bool trovato = false;
    for (const auto& k : campi) {
        if (!k->selezionato) continue;
        if (!trovato) {
            riga = k->iCampo;
            testo = k->testoFisso;
            font = k->iFont;
            dim = k->dimFont;
            grassetto = k->stileG;
            corsivo = k->stileC;
            sottolineato = k->stileS;
            colore = k->coloreEtich;
            pagina = k->pagina;
            allineamento = k->AllType;
            trovato = true;
            continue;
        }
        // The colour is never mixed: the first selected field's shows.
        if (k->iCampo != riga) riga = -1;
        if (!fw::TextEquals(k->testoFisso, testo)) testo.clear();
        if (k->iFont != font) font = -1;
        if (k->dimFont != dim) dim = 0;
        if (k->stileG != grassetto) grassetto = false;
        if (k->stileC != corsivo) corsivo = false;
        if (k->stileS != sottolineato) sottolineato = false;
        if (k->pagina != pagina) pagina = -1;
        if (k->AllType != allineamento) allineamento = Campo::kNessuno;
    }

    // The row set here is no choice of the user's: the catalogue handler stays out.
    editato = false;
    pmCampi.at(::wMain().modulo)->SetListIndex(riga);
    editato = true;

    if (riga >= 1) {
        efTestoFisso->SetText("");
        efTestoFisso->SetEnabled(false);
    } else {
        efTestoFisso->SetText(testo);
        efTestoFisso->SetEnabled(true);
    }

    bbFont->SetMenuValue(font);
    bbFont->SetCaption(bbFont->List(bbFont->MenuValue()));

    efDimFont->SetText(Modulo1::StrZeroVuoto(dim));

    bbGrassetto->SetValue(grassetto);
    bbCorsivo->SetValue(corsivo);
    bbSottolineato->SetValue(sottolineato);

    bbSinistra->SetValue(allineamento == Campo::kSinistra);
    bbCentro->SetValue(allineamento == Campo::kCentro);
    bbDestra->SetValue(allineamento == Campo::kDestra);

    RiempiRiquadro(*canColore, colore);

    pmPagina->SetListIndex(pagina);
}

void wPalette::Reset() {
    editato = false;
    pmCampi.at(::wMain().modulo)->SetListIndex(0);
    editato = true;

    efTestoFisso->SetText("");
    efX->SetText("");
    efY->SetText("");
    efLargh->SetText("");
    efAlt->SetText("");

    bbFont->SetMenuValue(-1);
    bbFont->SetCaption("");

    efDimFont->SetText("");

    bbGrassetto->SetValue(false);
    bbCorsivo->SetValue(false);
    bbSottolineato->SetValue(false);

    RiempiRiquadro(*canColore, 0xFFFFFF);

    pmPagina->SetListIndex(0);
}

}  // namespace vx

vx::wPalette& wPalette() {
    return fw::Implicit<vx::wPalette>();
}

std::shared_ptr<fw::Picture> text_align_left() {
    return fw::CachedPicture(172);
}

std::shared_ptr<fw::Picture> text_align_right() {
    return fw::CachedPicture(173);
}
