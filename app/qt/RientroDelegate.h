#pragma once

#include <QStyledItemDelegate>

namespace elencario {

// Draws each item of a list shifted to the right by its level (the integer in kRuoloLivello),
// so that a flat list reads as a path of nested folders.
class RientroDelegate final : public QStyledItemDelegate {
    Q_OBJECT
  public:
    static constexpr int kRuoloLivello = Qt::UserRole + 1;
    static constexpr int kPixelPerLivello = 10;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* pittore, const QStyleOptionViewItem& opzione,
               const QModelIndex& indice) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& opzione,
                                 const QModelIndex& indice) const override;

  private:
    [[nodiscard]] static int Rientro(const QModelIndex& indice);
};

}  // namespace elencario
