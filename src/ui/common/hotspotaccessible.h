#pragma once

#include <QAccessibleWidget>

class HotSpot;

// What assistive technology sees of a hot spot: a button (a link for the
// About window's links) named by its accessible name, else its text, with a
// press action that activates it.
class HotSpotAccessible : public QAccessibleWidget
{
public:
    explicit HotSpotAccessible(HotSpot *spot);

    // Serves every HotSpot; installed with QAccessible::installFactory.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    HotSpot *spot() const;
};
