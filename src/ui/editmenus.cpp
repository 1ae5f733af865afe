// The menus of the editor window: its commands, their keys and tips, the option items.
#include "ui/MDIEdit.h"
#include "ui/dialogs.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QToolButton>
#include <map>
#include <tuple>

QAction* TEditForm::NewAction(QMenu* Menu, const QString& Caption)
{
    auto* A = new QAction(Caption, this);
    Menu->addAction(A);
    return A;
}

void TEditForm::BuildMenus()
{
    BuildFileMenu();
    BuildEditMenus();
    BuildProveMenus();
    BuildOptionItems();
}

void TEditForm::BuildFileMenu()
{
    File1 = new QMenu(QStringLiteral("&File"), this);
    New1 = NewAction(File1, QStringLiteral("&New"));
    Open1 = NewAction(File1, QStringLiteral("&Open..."));
    Examples1 = File1->addMenu(QStringLiteral("Exa&mples"));
    Close1 = NewAction(File1, QStringLiteral("&Close"));
    Save1 = NewAction(File1, QStringLiteral("&Save"));
    Saveas1 = NewAction(File1, QStringLiteral("Save &as..."));
    File1->addSeparator();
    Exit1 = NewAction(File1, QStringLiteral("E&xit"));
    // New, Open and Exit are the frame's: it wires them.
    connect(Close1, &QAction::triggered, this, [this] {
        if (QWidget* Window = parentWidget())
            Window->close();
        else
            close();
    });
    connect(Save1, &QAction::triggered, this, &TEditForm::Save1Click);
    connect(Saveas1, &QAction::triggered, this, &TEditForm::Saveas1Click);
}

// The Edit menu and the panes' context menu, with the keys of the file and edit commands.
void TEditForm::BuildEditMenus()
{
    Edit1 = new QMenu(QStringLiteral("&Edit"), this);
    Undo1 = NewAction(Edit1, QStringLiteral("&Undo"));
    Redo1 = NewAction(Edit1, QStringLiteral("&Redo"));
    Edit1->addSeparator();
    Cut1 = NewAction(Edit1, QStringLiteral("Cu&t"));
    Copy1 = NewAction(Edit1, QStringLiteral("&Copy"));
    Paste1 = NewAction(Edit1, QStringLiteral("&Paste"));
    Delete1 = NewAction(Edit1, QStringLiteral("De&lete"));
    Edit1->addSeparator();
    Selectall1 = NewAction(Edit1, QStringLiteral("Select &all"));
    ClrOutput = NewAction(Edit1, QStringLiteral("Clear Output"));
    Font1 = NewAction(Edit1, QStringLiteral("Font..."));
    RunAgain1 = new QAction(QStringLiteral("Prove again"), this);
    const std::pair<QAction*, QKeySequence> Keys[] = {
        {New1, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {Open1, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {Save1, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {Undo1, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {Redo1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {Cut1, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {Copy1, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {Paste1, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {Delete1, QKeySequence(Qt::CTRL | Qt::Key_D)},
        {Selectall1, QKeySequence(Qt::CTRL | Qt::Key_A)},
        {RunAgain1, QKeySequence(Qt::Key_F9)},
    };
    for (const auto& [Action, Key] : Keys) {
        Action->setShortcut(Key);
        Action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(Action);
    }
    connect(RunAgain1, &QAction::triggered, this, &TEditForm::RunAgainClick);
    connect(Edit1, &QMenu::aboutToShow, this, &TEditForm::Edit1Click);
    auto OnMemo = [this](void (QPlainTextEdit::*Command)()) {
        return [this, Command] {
            if (TMemo* Memo = FocusedMemo())
                (Memo->*Command)();
        };
    };
    connect(Undo1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::undo));
    connect(Redo1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::redo));
    connect(Cut1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::cut));
    connect(Copy1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::copy));
    connect(Paste1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::paste));
    connect(Selectall1, &QAction::triggered, this, OnMemo(&QPlainTextEdit::selectAll));
    connect(Delete1, &QAction::triggered, this, [this] {
        if (TMemo* Memo = FocusedMemo())
            Memo->textCursor().removeSelectedText();
    });
    connect(ClrOutput, &QAction::triggered, this, [this] { ClearOutput(); });
    connect(Font1, &QAction::triggered, this, [this] {
        TMemo* Memo = FocusedMemo();
        if (!Memo)
            return;
        QFont Font = Memo->font();
        if (Dialogs().ChooseFont(this, Font))
            Memo->setFont(Font);
    });

    PopupMenu1 = new QMenu(this);
    Cut2 = NewAction(PopupMenu1, QStringLiteral("Cu&t"));
    Copy2 = NewAction(PopupMenu1, QStringLiteral("&Copy"));
    Paste2 = NewAction(PopupMenu1, QStringLiteral("&Paste"));
    connect(Cut2, &QAction::triggered, Cut1, &QAction::trigger);
    connect(Copy2, &QAction::triggered, Copy1, &QAction::trigger);
    connect(Paste2, &QAction::triggered, Paste1, &QAction::trigger);
}

// The commands of "Prove theorem", with their keys and the tips of the speed buttons.
void TEditForm::BuildProveMenus()
{
    Output1 = new QMenu(QStringLiteral("&Output"), this);
    Provetheorem1 = new QMenu(QStringLiteral("&Prove theorem"), this);
    Unifiers1 = new QMenu(QStringLiteral("&Unification"), this);
    Stop1 = NewAction(Provetheorem1, QStringLiteral("Stop"));
    SRLimit = NewAction(Provetheorem1, QStringLiteral("DCF-Limit..."));
    Provetheorem1->addSeparator(); // N7
    Linear = NewAction(Provetheorem1, QStringLiteral("Linear search"));
    Breadthfirst1 = NewAction(Provetheorem1, QStringLiteral("Breadth-first search"));
    ModifLinear1 = NewAction(Provetheorem1, QStringLiteral("Modified linear search"));
    BestFirst1 = NewAction(Provetheorem1, QStringLiteral("Best-first search"));
    Automatic1 = NewAction(Provetheorem1, QStringLiteral("Automatic"));
    Automatic1->setStatusTip(QStringLiteral("Skolemization, and best-first search on the "
                                            "clause form (superposition, = read as equality, "
                                            "when the problem uses it), linear, best-first and "
                                            "breadth-first search in turn until one refutes the "
                                            "query"));
    CounterModel1 = NewAction(Provetheorem1, QStringLiteral("Find counter-model"));
    CounterModel1->setStatusTip(QStringLiteral("A finite world where the axioms hold and the "
                                               "query fails, up to 8 elements"));
    Provetheorem1->addAction(RunAgain1);
    connect(Stop1, &QAction::triggered, this, &TEditForm::SpeedButton1Click);
    connect(SRLimit, &QAction::triggered, this, &TEditForm::SRLimitClick);
    for (QAction* A : {Linear, Breadthfirst1, ModifLinear1, BestFirst1, Automatic1, CounterModel1})
        connect(A, &QAction::triggered, this, [this, A] { LinearClick(A); });
    // The commands of the speed buttons have keys of their own, which the buttons' tips name.
    const std::tuple<QAction*, QKeySequence, QToolButton*> Commands[] = {
        {Stop1, QKeySequence(Qt::Key_Escape), SpeedButton1},
        {Linear, QKeySequence(Qt::CTRL | Qt::Key_1), SpeedButton2},
        {Breadthfirst1, QKeySequence(Qt::CTRL | Qt::Key_2), SpeedButton3},
        {ModifLinear1, QKeySequence(Qt::CTRL | Qt::Key_3), SpeedButton4},
        {BestFirst1, QKeySequence(Qt::CTRL | Qt::Key_4), SpeedButton5},
        {CounterModel1, QKeySequence(Qt::CTRL | Qt::Key_5), SpeedButton6},
        {Automatic1, QKeySequence(Qt::CTRL | Qt::Key_6), nullptr},
    };
    for (const auto& [Action, Key, Button] : Commands) {
        Action->setShortcut(Key);
        Action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(Action);
        if (Button)
            Button->setToolTip(QStringLiteral("%1 (%2)").arg(
                Action->text(), Key.toString(QKeySequence::NativeText)));
    }
    SpeedButton1->setToolTip(
        QStringLiteral("Stop the proof (%1)")
            .arg(QKeySequence(Qt::Key_Escape).toString(QKeySequence::NativeText)));
    // A disabled item says why in its tip, which a menu shows.
    for (QMenu* Menu : {Provetheorem1, Output1})
        Menu->setToolTipsVisible(true);
    Automatic1->setToolTip(Automatic1->statusTip());
    CounterModel1->setToolTip(CounterModel1->statusTip());
}

// The option items, from the one table of options; a separator stands between groups.
void TEditForm::BuildOptionItems()
{
    std::map<TOptionGroup, QActionGroup*> Groups;
    TOptionGroup Previous = TOptionGroup::None;
    TOption PreviousItem = TOption::Axioms;
    for (const TOptionItem& Item : OptionItems()) {
        QMenu* Menu = Item.Menu == TOptionMenu::Output         ? Output1
                      : Item.Menu == TOptionMenu::ProveTheorem ? Provetheorem1
                                                               : Unifiers1;
        const bool NewMenu = Options.empty() || OptionItem(PreviousItem).Menu != Item.Menu;
        const bool Separate = Item.Menu == TOptionMenu::ProveTheorem
                                  ? NewMenu || Item.Group != Previous // N1, N5
                                  : Item.Menu == TOptionMenu::Unification && !NewMenu &&
                                        Item.Group != Previous; // N4, N6
        if (Separate)
            Menu->addSeparator();
        auto* A = NewAction(Menu, QString::fromUtf8(Item.Caption.data(), Item.Caption.size()));
        A->setObjectName(QString::fromUtf8(Item.Name.data(), Item.Name.size()));
        A->setCheckable(true);
        A->setChecked(Item.Default);
        if (Item.Group != TOptionGroup::None) {
            QActionGroup*& Group = Groups[Item.Group];
            if (!Group)
                Group = new QActionGroup(this);
            Group->addAction(A);
        }
        Options[Item.Item] = A;
        Previous = Item.Group;
        PreviousItem = Item.Item;
    }
    Output1->addSeparator();
    ProofGraph1 = NewAction(Output1, QStringLiteral("Proof graph..."));
    ProofGraph1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    ProofGraph1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(ProofGraph1);
    connect(ProofGraph1, &QAction::triggered, this, &TEditForm::ProofGraph1Click);
    ReadDerivation();
}

QList<QMenu*> TEditForm::Menus() const
{
    return {File1, Edit1, Output1, Provetheorem1, Unifiers1};
}
