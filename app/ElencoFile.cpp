#include "app/ElencoFile.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "app/LetturaCartelle.h"
#include "systems/Routines.h"

namespace elencario {

namespace {

QRegularExpression EspressioneDi(const QString& modello) {
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(modello),
                              QRegularExpression::CaseInsensitiveOption);
}

}  // namespace

ElencoFile::ElencoFile(QWidget* parent) : QListWidget(parent), modello_(EspressioneDi("*")) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ElencoFile::ImpostaCartella(const std::filesystem::path& cartella) {
    cartella_ = CartellaNormale(cartella);
    Elenca();
}

void ElencoFile::ImpostaModello(const QString& modello) {
    modello_ = EspressioneDi(modello);
    Elenca();
}

void ElencoFile::Elenca() {
    clear();
    nomi_.clear();
    if (cartella_.empty()) return;
    const auto trovati = FileCorrispondenti(cartella_, modello_);
    if (!trovati) return;
    for (const std::filesystem::path& percorso : *trovati) {
        nomi_.push_back(percorso.filename());
        addItem(NomeMostrato(percorso));
    }
}

std::string ElencoFile::NomeSelezionato() const {
    const int riga = currentRow();
    if (riga < 0 || !currentItem()->isSelected()) return {};
    return TestoDaPercorso(nomi_[static_cast<std::size_t>(riga)]);
}

void ElencoFile::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    const QModelIndex sotto = indexAt(event->position().toPoint());
    // Also a press on the name already selected: it loads that file again.
    if (event->button() == Qt::LeftButton && sotto.isValid() && sotto.row() == currentRow()) {
        emit fileScelto();
    }
}

void ElencoFile::mouseMoveEvent(QMouseEvent* event) {
    const int prima = currentRow();
    QListWidget::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton) && currentRow() != prima && currentRow() >= 0) {
        emit fileScelto();
    }
}

void ElencoFile::keyPressEvent(QKeyEvent* event) {
    // Focus puts the cursor on the first name without choosing it: the first arrow chooses
    // that name rather than skipping it.
    const bool freccia = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (freccia && currentItem() != nullptr && !currentItem()->isSelected()) {
        currentItem()->setSelected(true);
        emit fileScelto();
        return;
    }
    const int prima = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != prima && currentRow() >= 0) emit fileScelto();
}

}  // namespace elencario
