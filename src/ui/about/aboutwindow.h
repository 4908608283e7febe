#pragma once

#include <QWidget>

class HotSpot;
class Launcher;
class QTabWidget;

// The About window: borderless and shaped, with a drag strip, a close hot
// spot, two links (the update check and the author's mail) and three tabs:
// the introduction, the picture that explains the player and the version
// history. Controls carry their skin names as object names (Label1, SSTab1,
// Text2, ...). Closing it deletes it; the next window starts on tab 0.
class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    enum Tab { IntroductionTab = 0, InstructionsTab = 1, HistoryTab = 2 };

    explicit AboutWindow(Launcher &launcher, QWidget *parent = nullptr);

    int currentTab() const;

public Q_SLOTS:
    void showTab(int tab);
    // While a check the user asked for runs, the link says so and is inactive.
    void showUpdateCheckRunning(bool running);

Q_SIGNALS:
    // "检查新版本" was clicked.
    void updateCheckRequested();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildFrame();
    void buildLinks();
    void buildTabs();
    QWidget *buildAboutPage();
    QWidget *buildInstructionsPage();
    QWidget *buildHistoryPage();
    QWidget *newPage();
    void placeOnPage(QWidget *page);
    void centreOnScreen();

    Launcher &m_launcher;
    QTabWidget *m_tabs = nullptr;
    HotSpot *m_checkLink = nullptr;
};
