#include "app/ElencoCartelle.h"

#include <QKeyEvent>
#include <QStyle>

#include "app/LetturaCartelle.h"
#include "app/RientroDelegate.h"

namespace elencario {

ElencoCartelle::ElencoCartelle(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new RientroDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::doubleClicked, this,
            [this](const QModelIndex& index) { ApriVoce(index.row()); });
}

bool ElencoCartelle::ImpostaCartella(const std::filesystem::path& cartella) {
    const std::filesystem::path nuova = CartellaNormale(cartella);
    const auto sottocartelle = Sottocartelle(nuova);
    if (!sottocartelle) return false;

    std::vector<std::filesystem::path> catena;
    for (std::filesystem::path p = nuova;; p = p.parent_path()) {
        catena.insert(catena.begin(), p);
        if (!p.has_relative_path()) break;
    }
    const bool cambiata = nuova != cartella_;
    cartella_ = nuova;
    percorsi_ = catena;
    percorsi_.insert(percorsi_.end(), sottocartelle->begin(), sottocartelle->end());

    clear();
    const QIcon aperta = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon chiusa = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (std::size_t i = 0; i < percorsi_.size(); ++i) {
        const bool nellaCatena = i < catena.size();
        auto* voce = new QListWidgetItem(nellaCatena ? aperta : chiusa, NomeMostrato(percorsi_[i]));
        voce->setData(RientroDelegate::kRuoloLivello,
                      static_cast<int>(nellaCatena ? i : catena.size()));
        addItem(voce);
    }
    setCurrentRow(static_cast<int>(catena.size()) - 1);
    if (cambiata) emit cartellaCambiata();
    return true;
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
