#!/usr/bin/python3
"""What a screen reader reads of the main window, through the accessibility bus.

Started by read-window.sh with the program already running: finds the window,
reads the reinforcement ratio, types "abc" and Tab into the field of Mxd and
reads the status bar, reads the three drop-down lists by their captions, and
opens the combinations window to read its table, buttons and the group of
the column, designs the
reinforcement and reads the design dialog's table, and the diagrams
window to read its list, views and button, and the menu "Editar".
Prints one line per check and exits 1 when one fails.
"""
import sys
import time

import pyatspi


def find(root, predicate, depth=0):
    if root is None or depth > 12:
        return None
    try:
        if predicate(root):
            return root
        for child in root:
            found = find(child, predicate, depth + 1)
            if found is not None:
                return found
    except Exception:
        return None
    return None


def application(name):
    for _ in range(80):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.25)
    return None


def role(acc):
    return acc.getRole()


def wait_for(read, expected, seconds=5.0):
    value = read()
    end = time.time() + seconds
    while value != expected and time.time() < end:
        time.sleep(0.1)
        value = read()
    return value


failures = []


def check(what, actual, expected):
    ok = actual == expected
    print(("ok   " if ok else "FAIL ") + what + ": " + repr(actual) + ("" if ok else " (expected " + repr(expected) + ")"))
    if not ok:
        failures.append(what)


def button_named(root, name):
    return find(root, lambda a: role(a) == pyatspi.ROLE_PUSH_BUTTON and a.name == name)


def read_design(window):
    """A row from the main window's actions, "Dimensionar...", and the design
    dialog's table read cell by cell with its headers, the chosen row by the
    word in its header, and the sentence under the table."""
    for name in ("Adicionar", "Dimensionar..."):
        button = button_named(window, name)
        if button is not None:
            button.queryAction().doAction(0)
            time.sleep(0.3)
    dialog = None
    for _ in range(100):
        dialog = find(app, lambda a: role(a) in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME)
                      and a.name == "Dimensionamento da armadura")
        if dialog is not None:
            break
        time.sleep(0.1)
    check("design dialog", dialog.name if dialog else None, "Dimensionamento da armadura")
    if dialog is None:
        return
    table = find(dialog, lambda a: role(a) == pyatspi.ROLE_TABLE)
    check("design table", table.name if table else None, "Dimensionamento da armadura")
    if table is None:
        return
    cells = table.queryTable()
    check("design table size", (cells.nRows, cells.nColumns), (11, 6))
    check("design table columns", [cells.getColumnDescription(c) for c in range(cells.nColumns)],
          ["Diâmetro (mm)", "As (cm²)", "ρ (%)", "η determinante", "Combinação determinante", "Limites"])
    check("diameters read", [cells.getAccessibleAt(r, 0).name for r in range(cells.nRows)],
          ["5", "6,3", "8", "10", "12,5", "16", "20", "22", "25", "32", "40"])
    check("limits of 5 mm", cells.getAccessibleAt(0, 5).name, "As < As,mín; φ < 10 mm")
    chosen = [r for r in range(cells.nRows) if cells.getRowDescription(r) == "escolhido"]
    check("one chosen row", len(chosen), 1)
    sentence = find(dialog, lambda a: role(a) == pyatspi.ROLE_LABEL and a.name.startswith("Diâmetro escolhido: "))
    if chosen and sentence is not None:
        diameter = cells.getAccessibleAt(chosen[0], 0).name
        check("chosen said in words", sentence.name.startswith("Diâmetro escolhido: " + diameter + " mm"), True)
    else:
        check("chosen said in words", sentence.name if sentence else None, "Diâmetro escolhido: ...")
    cancel = button_named(dialog, "Cancelar")
    check("button Cancelar", cancel.name if cancel else None, "Cancelar")
    if cancel is not None:
        cancel.queryAction().doAction(0)
        time.sleep(0.3)


app = application("Flexara 1.0")
if app is None:
    print("FAIL the program is not on the accessibility bus")
    sys.exit(1)

# The ratio value, named by its text and labelled by its caption.
ratio = wait_for(lambda: (find(app, lambda a: role(a) == pyatspi.ROLE_LABEL and a.name.endswith(" %")) or app).name,
                 "1,57 %")
check("ratio label", ratio, "1,57 %")
ratio_acc = find(app, lambda a: role(a) == pyatspi.ROLE_LABEL and a.name == "1,57 %")
labels = []
if ratio_acc is not None:
    for relation in ratio_acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            labels += [relation.getTarget(i).name for i in range(relation.getNTargets())]
check("ratio labelled by", labels, ["Taxa de Armadura:"])

# The three drop-down lists by their captions, their items as values.
for name, value in (("Concreto", "C-30"), ("Aço", "CA-50 A"), ("Diâmetro das barras (mm)", "20")):
    combo = find(app, lambda a: role(a) == pyatspi.ROLE_COMBO_BOX and a.name == name)
    check("list " + name, combo.name if combo else None, name)
    shown = None
    if combo is not None:
        text = combo.queryText()
        shown = text.getText(0, text.characterCount)
    check("item of " + name, shown, value)

# "abc" and Tab in Mxd: the status bar reads the mark.
field = find(app, lambda a: role(a) == pyatspi.ROLE_TEXT and a.name == "Mxd (kN.m)")
check("field Mxd", field.name if field else None, "Mxd (kN.m)")
if field is not None:
    # A click in the field, as a user starts typing (it also gives the window
    # the keyboard on a display without a window manager).
    box = field.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")
    time.sleep(0.5)
    field.queryComponent().grabFocus()
    time.sleep(0.3)
    field.queryEditableText().setTextContents("")
    for key in ("a", "b", "c"):
        pyatspi.Registry.generateKeyboardEvent(0, key, pyatspi.KEY_STRING)
        time.sleep(0.05)
    time.sleep(0.2)
    typed = field.queryText()
    check("typed into Mxd", typed.getText(0, typed.characterCount), "abc")
    pyatspi.Registry.generateKeyboardEvent(23, None, pyatspi.KEY_PRESSRELEASE)  # Tab
    status_bar = find(app, lambda a: role(a) == pyatspi.ROLE_STATUS_BAR)
    read = lambda: status_bar[0].name if status_bar is not None and status_bar.childCount else None
    check("status bar after abc and Tab", wait_for(read, "Valor de entrada inválido"), "Valor de entrada inválido")

# The combinations window, opened from its menu item: its table and buttons by name.
item = find(app, lambda a: role(a) == pyatspi.ROLE_MENU_ITEM and a.name == "Combinações")
check("menu item Combinações", item.name if item else None, "Combinações")
if item is not None:
    item.queryAction().doAction(0)
    window = None
    for _ in range(40):
        window = find(app, lambda a: role(a) in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME)
                      and a.name == "Combinações de esforços")
        if window is not None:
            break
        time.sleep(0.1)
    check("combinations window", window.name if window else None, "Combinações de esforços")
    if window is not None:
        table = find(window, lambda a: role(a) == pyatspi.ROLE_TABLE)
        check("combinations table", table.name if table else None, "Combinações de esforços")
        for name in ("Adicionar", "Excluir", "Colar", "Importar CSV...", "Exportar CSV...", "Verificar",
                     "Mostrar no gráfico", "Detalhes do pilar...", "Diagramas...", "Dimensionar..."):
            button = find(window, lambda a, n=name: role(a) == pyatspi.ROLE_PUSH_BUTTON and a.name == n)
            check("button " + name, button.name if button else None, name)
        # The group "Pilar": its check box, the two lengths, the two support
        # conditions and the method, each by its name.
        box = find(window, lambda a: role(a) == pyatspi.ROLE_CHECK_BOX
                   and a.name == "Verificar como pilar (NBR 6118:2014)")
        check("check box of the column", box.name if box else None, "Verificar como pilar (NBR 6118:2014)")
        # Ticked, the group's fields and lists open for input.
        if box is not None:
            box.queryAction().doAction(0)
            time.sleep(0.5)
        # They start empty: the lengths are typed, as a user would, before
        # the design checks the column.
        for name in ("le (Mxd) (cm)", "le (Myd) (cm)"):
            field = find(window, lambda a, n=name: role(a) == pyatspi.ROLE_TEXT and a.name == n)
            check("field " + name, field.name if field else None, name)
            if field is not None:
                check("field " + name + " empty", field.queryText().getText(0, -1), "")
                field.queryEditableText().setTextContents("280")
                check("field " + name + " typed", wait_for(lambda f=field: f.queryText().getText(0, -1), "280"), "280")
        for name in ("Condição de apoio (Mxd)", "Condição de apoio (Myd)", "Método de 2ª ordem local"):
            combo = find(window, lambda a, n=name: role(a) == pyatspi.ROLE_COMBO_BOX and a.name == n)
            check("list " + name, combo.name if combo else None, name)
        read_design(window)

# The diagrams window, opened from its menu item: the list of combinations by
# its caption, the two views as page tabs and by their names, the export.
item = find(app, lambda a: role(a) == pyatspi.ROLE_MENU_ITEM and a.name == "Diagramas")
check("menu item Diagramas", item.name if item else None, "Diagramas")
if item is not None:
    item.queryAction().doAction(0)
    window = None
    for _ in range(100):
        window = find(app, lambda a: role(a) in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME) and a.name == "Diagramas")
        if window is not None:
            break
        time.sleep(0.1)
    check("diagrams window", window.name if window else None, "Diagramas")
    if window is not None:
        combo = find(window, lambda a: role(a) == pyatspi.ROLE_COMBO_BOX)
        check("list of combinations", combo.name if combo else None, "Combinação")
        for name in ("N–M", "Superfície N–Mx–My"):
            tab = find(window, lambda a, n=name: role(a) == pyatspi.ROLE_PAGE_TAB and a.name == n)
            check("view " + name, tab.name if tab else None, name)
        view = find(window, lambda a: a.name == "Diagrama N–M" and role(a) != pyatspi.ROLE_PAGE_TAB)
        check("N–M chart", view.name if view else None, "Diagrama N–M")
        button = find(window, lambda a: role(a) == pyatspi.ROLE_PUSH_BUTTON and a.name == "Exportar figura...")
        check("button Exportar figura...", button.name if button else None, "Exportar figura...")

# The menu "Editar" and its two items, each naming its step when there is one.
menu = find(app, lambda a: role(a) in (pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM) and a.name == "Editar")
check("menu Editar", menu.name if menu else None, "Editar")
for name in ("Desfazer", "Refazer"):
    entry = find(app, lambda a, n=name: role(a) == pyatspi.ROLE_MENU_ITEM and a.name.startswith(n))
    check("menu item " + name, entry.name.split(" ")[0] if entry else None, name)

sys.exit(1 if failures else 0)
