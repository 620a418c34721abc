#include "app/ElencoCartelle.h"

#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

#include "app/LetturaCartelle.h"
#include "app/RientroDelegate.h"

namespace elencario {

ElencoCartelle::ElencoCartelle(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new RientroDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::doubleClicked, this,
            [this](const QModelIndex& index) { ApriVoce(index.row()); });
}

namespace {

// The folders from the root down to `cartella`, `cartella` last.
std::vector<std::filesystem::path> Catena(const std::filesystem::path& cartella) {
    std::vector<std::filesystem::path> catena;
    for (std::filesystem::path p = cartella;; p = p.parent_path()) {
        catena.insert(catena.begin(), p);
        if (!p.has_relative_path()) break;
    }
    return catena;
}

}  // namespace

bool ElencoCartelle::ImpostaCartella(const std::filesystem::path& cartella) {
    const std::filesystem::path nuova = CartellaNormale(cartella);
    const auto sottocartelle = Sottocartelle(nuova);
    if (!sottocartelle) return false;
    const bool cambiata = nuova != cartella_;
    cartella_ = nuova;
    std::vector<std::filesystem::path> percorsi = Catena(nuova);
    const std::size_t catena = percorsi.size();
    percorsi.insert(percorsi.end(), sottocartelle->begin(), sottocartelle->end());
    Mostra(std::move(percorsi), catena, static_cast<int>(catena) - 1);
    if (cambiata) emit cartellaCambiata();
    return true;
}

bool ElencoCartelle::Aggiorna() {
    const auto sottocartelle = Sottocartelle(cartella_);
    if (!sottocartelle) return false;
    std::vector<std::filesystem::path> percorsi = Catena(cartella_);
    const std::size_t catena = percorsi.size();
    percorsi.insert(percorsi.end(), sottocartelle->begin(), sottocartelle->end());
    if (percorsi == percorsi_) return true;
    const std::filesystem::path sottoCursore =
        currentRow() >= 0 ? percorsi_[static_cast<std::size_t>(currentRow())] : cartella_;
    const auto trovato = std::find(percorsi.begin(), percorsi.end(), sottoCursore);
    const int riga = static_cast<int>(trovato != percorsi.end() ? trovato - percorsi.begin()
                                                                : std::ptrdiff_t(catena) - 1);
    Mostra(std::move(percorsi), catena, riga);
    return true;
}

void ElencoCartelle::Mostra(std::vector<std::filesystem::path> percorsi, std::size_t catena,
                            int riga) {
    percorsi_ = std::move(percorsi);
    clear();
    const QIcon aperta = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon chiusa = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (std::size_t i = 0; i < percorsi_.size(); ++i) {
        const bool nellaCatena = i < catena;
        auto* voce = new QListWidgetItem(nellaCatena ? aperta : chiusa, NomeMostrato(percorsi_[i]));
        voce->setData(RientroDelegate::kRuoloLivello, static_cast<int>(nellaCatena ? i : catena));
        addItem(voce);
    }
    setCurrentRow(riga);
}

void ElencoCartelle::ApriVoce(int riga) {
    if (riga < 0 || static_cast<std::size_t>(riga) >= percorsi_.size()) return;
    if (!ImpostaCartella(percorsi_[static_cast<std::size_t>(riga)])) emit cartellaNonAccessibile();
}

void ElencoCartelle::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ApriVoce(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace elencario
