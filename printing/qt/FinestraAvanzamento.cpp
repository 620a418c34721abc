#include "printing/qt/FinestraAvanzamento.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "systems/Testi.h"

namespace elencario {

namespace {

constexpr qint64 kMostraDopoMs = 500;
constexpr qint64 kEventiOgniMs = 30;

bool DaUtente(QEvent::Type tipo) {
    switch (tipo) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

FinestraAvanzamento::FinestraAvanzamento() = default;

FinestraAvanzamento::~FinestraAvanzamento() {
    Fine();
}

void FinestraAvanzamento::Inizio() {
    annullato_ = false;
    pagine_ = 0;
    durata_.start();
    ultimiEventi_.start();
    if (!filtro_) qApp->installEventFilter(this);
    filtro_ = true;
}

bool FinestraAvanzamento::Continua() {
    if (ultimiEventi_.isValid() && ultimiEventi_.elapsed() >= kEventiOgniMs) {
        if (!dialogo_ && durata_.elapsed() >= kMostraDopoMs) Mostra();
        Aggiorna();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        ultimiEventi_.restart();
    }
    return !annullato_;
}

void FinestraAvanzamento::Pagina(int pagina, int pagine) {
    // Drawn with the next delivery of events, so that fast pages cost no redrawing each.
    pagina_ = pagina;
    pagine_ = pagine;
}

void FinestraAvanzamento::Aggiorna() {
    if (!dialogo_ || pagine_ == 0) return;
    etichetta_->setText(QString::fromStdString(testi::PaginaDi(pagina_, pagine_)));
    barra_->setRange(0, pagine_);
    barra_->setValue(pagina_ - 1);
}

void FinestraAvanzamento::Fine() {
    if (filtro_) {
        // Whatever was typed during the job is delivered now, to the filter, and dropped.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        qApp->removeEventFilter(this);
        filtro_ = false;
    }
    dialogo_.reset();
    ultimiEventi_.invalidate();
}

void FinestraAvanzamento::Mostra() {
    dialogo_ = std::make_unique<QDialog>(QApplication::activeWindow());
    dialogo_->setWindowTitle(QString::fromUtf8(testi::kTitoloProgramma));
    dialogo_->setWindowModality(Qt::ApplicationModal);
    auto* disposizione = new QVBoxLayout(dialogo_.get());
    disposizione->addWidget(new QLabel(QString::fromUtf8(testi::kStampaInCorso), dialogo_.get()));
    etichetta_ = new QLabel(dialogo_.get());
    disposizione->addWidget(etichetta_);
    barra_ = new QProgressBar(dialogo_.get());
    barra_->setRange(0, 0);
    disposizione->addWidget(barra_);
    auto* annulla = new QPushButton(QString::fromUtf8(testi::kAnnulla), dialogo_.get());
    // Return pressed in the belief that a question is still open must not cancel the job.
    annulla->setAutoDefault(false);
    disposizione->addWidget(annulla, 0, Qt::AlignRight);
    QObject::connect(annulla, &QPushButton::clicked, this, [this] { annullato_ = true; });
    QObject::connect(dialogo_.get(), &QDialog::rejected, this, [this] { annullato_ = true; });
    Aggiorna();
    dialogo_->show();
}

bool FinestraAvanzamento::eventFilter(QObject* destinatario, QEvent* evento) {
    if (!DaUtente(evento->type())) return false;
    // Modal boxes (this window, a message about the job) take their input; the others not.
    const auto* elemento = qobject_cast<QWidget*>(destinatario);
    return elemento != nullptr && !elemento->window()->isModal();
}

}  // namespace elencario
