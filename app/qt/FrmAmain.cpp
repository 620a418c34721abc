#include "app/qt/FrmAmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "app/qt/ElencoCartelle.h"
#include "app/qt/ElencoFile.h"
#include "app/qt/LetturaCartelle.h"
#include "app/qt/OsservatoreCartella.h"
#include "printing/MessageService.h"
#include "printing/ScelteOpzioni.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

constexpr int kTwipPerPixel = 15;
const QColor kGrigio(192, 192, 192);
const QColor kGrigioChiaro(224, 224, 224);
const QColor kVerdeAcqua(53, 134, 132);
const QColor kArancioScuro(192, 64, 0);
const QColor kBluFuoco(0, 0, 160);

// Positions are kept in twips, the unit the layout was drawn in.
template <class W>
W* Posiziona(W* w, const char* nome, int left, int top, int width, int height) {
    w->setObjectName(QString::fromLatin1(nome));
    w->setGeometry(left / kTwipPerPixel, top / kTwipPerPixel, width / kTwipPerPixel,
                   height / kTwipPerPixel);
    return w;
}

QFont Carattere(qreal punti) {
    QFont f(QString::fromUtf8(kCarattereFinestra.data(),
                              static_cast<qsizetype>(kCarattereFinestra.size())));
    f.setPointSizeF(punti);
    f.setWeight(QFont::Normal);
    return f;
}

void Colore(QWidget* w, QPalette::ColorRole ruolo, const QColor& colore) {
    QPalette p = w->palette();
    p.setColor(ruolo, colore);
    w->setPalette(p);
}

// A frame without caption: an etched line around its children on the frame's own colour.
QFrame* Riquadro(QWidget* contenitore, const char* nome, int left, int top, int width, int height) {
    auto* frame = Posiziona(new QFrame(contenitore), nome, left, top, width, height);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setAutoFillBackground(true);
    return frame;
}

QLabel* Etichetta(QWidget* contenitore, int indice, const char* testo, Qt::Alignment allineamento,
                  int left, int top, int width, int height) {
    auto* label = Posiziona(new QLabel(QString::fromUtf8(testo), contenitore), "Label1", left, top,
                            width, height);
    label->setProperty("Index", indice);
    label->setAlignment(allineamento | Qt::AlignTop);
    return label;
}

QComboBox* Opzione(QWidget* contenitore, const char* nome, int left, int top, int width,
                   int height) {
    auto* cmb = Posiziona(new QComboBox(contenitore), nome, left, top, width, height);
    cmb->setEditable(true);
    cmb->setInsertPolicy(QComboBox::NoInsert);  // typed text is the value, not a new entry
    cmb->setCompleter(nullptr);  // completing "1" to "10" would print what was not typed
    cmb->setFont(Carattere(9.75));
    Colore(cmb, QPalette::Base, kGrigioChiaro);
    Colore(cmb, QPalette::Button, kGrigioChiaro);
    return cmb;
}

QCheckBox* Casella(QWidget* contenitore, const char* nome, const char* testo, int left, int top,
                   int width, int height) {
    auto* chk = Posiziona(new QCheckBox(QString::fromUtf8(testo), contenitore), nome, left, top,
                          width, height);
    chk->setAutoFillBackground(true);
    return chk;
}

// Appends the choices in order and shows the one the option starts on.
void RiempiOpzione(QComboBox* cmb, const ScelteOpzione& scelte) {
    for (const std::string_view voce : scelte.voci) {
        cmb->addItem(QString::fromUtf8(voce.data(), static_cast<qsizetype>(voce.size())));
    }
    cmb->setCurrentIndex(static_cast<int>(scelte.iniziale));
    cmb->setCurrentText(cmb->itemText(static_cast<int>(scelte.iniziale)));
}

}  // namespace

void ScriviAdattato(QLabel& etichetta, const QString& testo, const QFont& carattere) {
    const QRect riquadro = etichetta.contentsRect();
    QFont f = carattere;
    f.setPointSizeF(GrandezzaAdattata(
        carattere.pointSizeF(), riquadro.width(), riquadro.height(), [&](double punti) {
            QFont prova = carattere;
            prova.setPointSizeF(punti);
            const QFontMetrics misure(prova);
            return std::pair(misure.horizontalAdvance(testo), misure.height());
        }));
    etichetta.setFont(f);
    etichetta.setText(testo);
}

std::unique_ptr<FrmAmain> FrmAmain::Apri(const std::string& cartellaEseguibile,
                                         MessageService& messaggi,
                                         FabbricaStampante fabbricaStampante) {
    std::unique_ptr<FrmAmain> finestra(new FrmAmain(messaggi, std::move(fabbricaStampante)));
    if (!finestra->Form_Load(cartellaEseguibile)) return nullptr;
    return finestra;
}

FrmAmain::FrmAmain(MessageService& messaggi, FabbricaStampante fabbricaStampante)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      regole_(messaggi, std::move(fabbricaStampante)) {
    setObjectName(QStringLiteral("frmAmain"));
    setWindowTitle(QString::fromUtf8(testi::kCaptionFinestra));
    setWindowIcon(QIcon(QStringLiteral(":/immagini/stampante.png")));
    setFixedSize(8865 / kTwipPerPixel, 7905 / kTwipPerPixel);
    setFont(Carattere(8.25));
    setAutoFillBackground(true);
    Colore(this, QPalette::Window, kGrigio);
    Colore(this, QPalette::Button, kGrigio);

    CreaControlli();
    ImpostaOrdineTab();
    MostraSistemaCaricato(regole_.Mostrato());

    cornice_ = new QFocusFrame(this);
    Colore(cornice_, QPalette::WindowText, kBluFuoco);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ora) {
        // A drop-down's text field has the focus on behalf of the drop-down.
        while (ora != nullptr && ora->parentWidget() != nullptr &&
               qobject_cast<QComboBox*>(ora->parentWidget()) != nullptr) {
            ora = ora->parentWidget();
        }
        cornice_->setWidget(ora != nullptr && ora->window() == this ? ora : nullptr);
    });

    osservatore_ = new OsservatoreCartella(this);
    connect(osservatore_, &OsservatoreCartella::cambiata, this, &FrmAmain::SeguiDisco);
    connect(Dir1_, &ElencoCartelle::cartellaCambiata, this, &FrmAmain::Dir1_Change);
    connect(Dir1_, &ElencoCartelle::cartellaNonAccessibile, this,
            [this] { regole_.CartellaNonAccessibile(); });
    connect(File1_, &ElencoFile::fileScelto, this, &FrmAmain::File1_Click);
    connect(cmdElencario_, &QPushButton::clicked, this, &FrmAmain::cmdElencario_Click);
}

FrmAmain::~FrmAmain() {
    // The children go after this body; focus moving among them must not reach the ring.
    disconnect(qApp, nullptr, this, nullptr);
}

void FrmAmain::CreaControlli() {
    QFrame* frame3 = Riquadro(this, "Frame3", 180, 120, 5055, 7515);
    Dir1_ = Posiziona(new ElencoCartelle(frame3), "Dir1", 150, 210, 4725, 3660);
    Dir1_->setFont(Carattere(9));
    Colore(Dir1_, QPalette::Text, kVerdeAcqua);
    File1_ = Posiziona(new ElencoFile(frame3), "File1", 150, 3960, 4725, 3405);
    File1_->setFont(Carattere(9.75));
    Colore(File1_, QPalette::Text, kVerdeAcqua);

    QFrame* frame1 = Riquadro(this, "Frame1", 5430, 120, 3195, 7515);
    CreaOpzioni(frame1);

    auto* imgLink = Posiziona(new QLabel(frame1), "imgLink", 690, 3690, 1800, 465);
    imgLink->setPixmap(QPixmap(QStringLiteral(":/immagini/link.png")));

    QFrame* caselle = Riquadro(frame1, "Frame7", 240, 4170, 2685, 1065);
    caselle->setProperty("Index", 4);
    chkNomeSistema_ =
        Casella(caselle, "chkNomeSistema", "  Stampa Nome Sistema", 180, 240, 2385, 315);
    chkNumeriInGioco_ =
        Casella(caselle, "chkNumeriInGioco", "  Stampa Numeri in gioco", 180, 630, 2385, 315);

    Etichetta(frame1, 4, "COMBINAZIONI", Qt::AlignRight, 480, 5550, 1245, 255);
    lblCatturate_ =
        Posiziona(new QLabel(QStringLiteral("0"), frame1), "lblCatturate", 2010, 5460, 675, 315);
    lblCatturate_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblCatturate_->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblCatturate_->setAutoFillBackground(true);
    Colore(lblCatturate_, QPalette::Window, QApplication::palette().color(QPalette::Window));
    Colore(lblCatturate_, QPalette::WindowText, kArancioScuro);

    cmdElencario_ = Posiziona(new QPushButton(QString::fromUtf8(testi::kTitoloProgramma), frame1),
                              "cmdElencario", 360, 6180, 2475, 1065);
    cmdElencario_->setFont(Carattere(9));
    cmdElencario_->setAutoDefault(true);  // Enter presses it while it has the focus
}

void FrmAmain::CreaOpzioni(QWidget* frame1) {
    Etichetta(frame1, 2, "SELEZIONE FONT CARATTERE", Qt::AlignHCenter, 210, 360, 2745, 255);
    QFrame* riquadro = Riquadro(frame1, "Frame7", 240, 600, 2685, 795);
    riquadro->setProperty("Index", 0);
    cmbCarattere_ = Opzione(riquadro, "cmbCarattere", 180, 300, 2235, 375);

    Etichetta(frame1, 0, "Grandezza", Qt::AlignHCenter, 270, 1590, 1245, 255);
    Etichetta(frame1, 1, "Colonne Riga", Qt::AlignHCenter, 1620, 1590, 1305, 255);
    riquadro = Riquadro(frame1, "Frame7", 240, 1830, 1305, 795);
    riquadro->setProperty("Index", 1);
    cmbGrandezza_ = Opzione(riquadro, "cmbGrandezza", 180, 300, 945, 375);
    riquadro = Riquadro(frame1, "Frame7", 1620, 1830, 1305, 795);
    riquadro->setProperty("Index", 2);
    cmbColonneRiga_ = Opzione(riquadro, "cmbColonneRiga", 180, 300, 945, 375);

    riquadro = Riquadro(frame1, "Frame7", 240, 2730, 2685, 795);
    riquadro->setProperty("Index", 3);
    Etichetta(riquadro, 3, "Margine Sx", Qt::AlignRight, 150, 420, 1155, 255);
    cmbMargine_ = Opzione(riquadro, "cmbMargine", 1560, 300, 945, 375);
}

void FrmAmain::ImpostaOrdineTab() {
    QWidget* const ordine[] = {File1_,        Dir1_,         cmbMargine_,       cmbColonneRiga_,
                               cmbGrandezza_, cmbCarattere_, chkNumeriInGioco_, chkNomeSistema_,
                               cmdElencario_};
    for (std::size_t i = 0; i + 1 < std::size(ordine); ++i) {
        setTabOrder(ordine[i], ordine[i + 1]);
    }
    File1_->setFocus();
}

bool FrmAmain::Form_Load(const std::string& cartellaEseguibile) {
    if (!regole_.Avvia(cartellaEseguibile)) return false;
    // File1 follows through Dir1's change notification, raised before this returns.
    if (!Dir1_->ImpostaCartella(regole_.CartellaIniziale())) regole_.CartellaNonAccessibile();
    File1_->ImpostaModello("*.TXT");

    RiempiOpzione(cmbCarattere_, kSceltaCarattere);
    RiempiOpzione(cmbGrandezza_, kSceltaGrandezza);
    RiempiOpzione(cmbColonneRiga_, kSceltaColonneRiga);
    RiempiOpzione(cmbMargine_, kSceltaMargine);
    return true;
}

void FrmAmain::CentraSulloSchermo() {
    // move() places the frame's corner, so the frame's size is what is centred.
    const QRect schermo = screen()->availableGeometry();
    corniceCentrata_ = frameGeometry().size();
    move(schermo.center() - QPoint(corniceCentrata_.width() / 2, corniceCentrata_.height() / 2));
}

void FrmAmain::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (corniceCentrata_.isValid() && frameGeometry().size() != corniceCentrata_) {
        CentraSulloSchermo();
    }
}

void FrmAmain::Dir1_Change() {
    File1_->ImpostaCartella(Dir1_->Cartella());
    osservatore_->Osserva(Dir1_->Cartella());
    cartellaPersa_ = false;
}

void FrmAmain::SeguiDisco() {
    if (!Dir1_->Aggiorna()) {
        // Reported once, like a folder that cannot be opened; the lists stay as they were.
        if (!cartellaPersa_) {
            cartellaPersa_ = true;
            regole_.CartellaNonAccessibile();
        }
        return;
    }
    if (cartellaPersa_) {  // back again: its old watch went with it
        cartellaPersa_ = false;
        osservatore_->Osserva(Dir1_->Cartella());
    }
    File1_->Aggiorna();
}

void FrmAmain::File1_Click() {
    regole_.SceltoFile(File1_->Cartella(), File1_->NomeSelezionato(),
                       [this](const SistemaMostrato& sistema) {
                           MostraSistemaCaricato(sistema);
                           lblCatturate_->repaint();
                       });
}

void FrmAmain::MostraSistemaCaricato(const SistemaMostrato& sistema) {
    ScriviAdattato(*lblCatturate_, QString::fromStdString(sistema.contatore), Carattere(9.75));
    lblCatturate_->setToolTip(sistema.evidenziato.empty() ? QString::fromUtf8(sistema.suggerimento)
                                                          : TestoMostrato(sistema.evidenziato));
    File1_->Evidenzia(sistema.evidenziato);
}

void FrmAmain::cmdElencario_Click() {
    const OpzioniStampa opzioni{cmbCarattere_->currentText().toStdString(),
                                cmbGrandezza_->currentText().toStdString(),
                                cmbColonneRiga_->currentText().toStdString(),
                                cmbMargine_->currentText().toStdString(),
                                chkNomeSistema_->isChecked(),
                                chkNumeriInGioco_->isChecked()};
    regole_.Stampa(opzioni);
}

void FrmAmain::closeEvent(QCloseEvent* event) {
    if (regole_.ConfermaUscita()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace elencario
