#!/usr/bin/env python3
"""Reads and drives the real program through AT-SPI, as a screen reader does: the names and
descriptions of the controls, a calculation started by Enter in the input line, the matrix, the
three results and (Qt 6.8 and later) their announcement heard with the focus still there, the
same calculation by the button's press action announced again, and the program ended with the
exit button.

Run it on an X display and a D-Bus session bus:
    tests/common/with_xvfb.sh dbus-run-session -- python3 tests/desktop/atspi_e2e.py path/to/mezolin
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 10.0
TASK = ('Задание: "Найти разность между максимальным элементом матрицы размера 4х4 и '
        'суммой ее положительных элементов".')
LINE = '1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16'
MATRIX = '1 2 3 4\n5 6 7 8\n9 10 11 12\n13 14 15 16'
HEARD = 'Сумма 136, максимум 16, разность -120'
RETURN = 0xff0d  # the keysym of Enter

program = None


def fail(step, detail=''):
    print(f'FAIL: {step}{": " + detail if detail else ""}', file=sys.stderr)
    if program and program.poll() is None:
        program.kill()
        program.wait()
    sys.exit(1)


def pump(seconds):
    """Takes the events that arrive within that time, and those already there."""
    deadline = time.monotonic() + seconds
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        if time.monotonic() >= deadline:
            return
        time.sleep(0.05)


def wait_for(step, probe):
    """Calls probe until it returns something true, for at most TIMEOUT seconds."""
    deadline = time.monotonic() + TIMEOUT
    last = None
    while time.monotonic() < deadline:
        pump(0)
        try:
            last = probe()
        except Exception as error:  # the tree may still be building
            last = error
        if last and not isinstance(last, Exception):
            return last
        time.sleep(0.1)
    fail(step, f'not within {TIMEOUT:.0f} s (last seen: {last!r})')


def find_window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == 'Mezolin' and window.childCount >= 8:
                return window
    return None


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def main():
    global program
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', LC_ALL='C.UTF-8')
    program = subprocess.Popen([sys.argv[1]], env=env)

    window = wait_for('the window on the accessibility bus', find_window)
    children = [window.getChildAtIndex(i) for i in range(window.childCount)]
    by_role = {}
    for child in children:
        by_role.setdefault(child.getRole(), []).append(child)

    # Each control says what it is in a few words; its tooltip is the description, never the
    # same text twice. Roles are compared by value: their names change between AT-SPI releases.
    buttons = {b.name: b for b in by_role.get(pyatspi.ROLE_PUSH_BUTTON, [])}
    if set(buttons) != {'Вычислить', 'Выход'}:
        fail('button names', repr(sorted(buttons)))
    boxes = {t.name: t for t in by_role.get(pyatspi.ROLE_TEXT, []) + by_role.get(pyatspi.ROLE_ENTRY, [])}
    if set(boxes) != {'Матрица', 'Сумма', 'Максимум', 'Разность'}:
        fail('text box names', repr(sorted(boxes)))
    labels = by_role.get(pyatspi.ROLE_LABEL, [])
    if TASK not in [label.name for label in labels]:
        fail('the task is readable', repr([label.name for label in labels]))
    for child in list(buttons.values()) + list(boxes.values()) + labels:
        if not child.description or child.description == child.name:
            fail('description', f'{child.name!r} has description {child.description!r}')

    # Qt announces from 6.8 on; before, nothing at all is to be heard.
    version = tuple(int(n) for n in window.getApplication().toolkitVersion.split('.')[:2])
    heard = []
    pyatspi.Registry.registerEventListener(lambda event: heard.append(event.any_data),
                                           'object:announcement')
    line = boxes['Матрица']
    line.queryEditableText().setTextContents(LINE)
    line.queryComponent().grabFocus()
    wait_for('the line in Text1, and the focus',
             lambda: text_of(line) == LINE and line.getState().contains(pyatspi.STATE_FOCUSED))
    pyatspi.Registry.generateKeyboardEvent(RETURN, None, pyatspi.KEY_SYM)

    wait_for('the matrix read from its label',
             lambda: any(label.name == MATRIX for label in window_labels(window)))
    for name, value in (('Сумма', '136'), ('Максимум', '16'), ('Разность', '-120')):
        wait_for(f'{name} reads {value}', lambda: text_of(boxes[name]) == value)
    action = buttons['Вычислить'].queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    if 'press' not in names:
        fail('press action of Вычислить', repr(names))
    if version >= (6, 8):
        wait_for('the results announced after Enter', lambda: heard)
        if heard != [HEARD]:
            fail('one announcement after Enter', repr(heard))
    action.doAction(names.index('press'))
    pump(1)  # whatever else was to come
    if heard != ([HEARD, HEARD] if version >= (6, 8) else []):
        fail(f'what Qt {version} announced', repr(heard))
    if not line.getState().contains(pyatspi.STATE_FOCUSED):
        fail('the focus left Text1')
    print(f'ok: Qt {version}: announced {heard!r}, the focus staying on Text1')
    print('ok: names, descriptions, the matrix and the three results read through AT-SPI')

    exit_action = buttons['Выход'].queryAction()
    exit_names = [exit_action.getName(i).lower() for i in range(exit_action.nActions)]
    exit_action.doAction(exit_names.index('press'))
    try:
        status = program.wait(timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        fail('the program ends after Выход')
    if status != 0:
        fail('exit status after Выход', str(status))
    print('ok: Выход pressed through AT-SPI ends the program with status 0')


def window_labels(window):
    return [window.getChildAtIndex(i) for i in range(window.childCount)
            if window.getChildAtIndex(i).getRole() == pyatspi.ROLE_LABEL]


if __name__ == '__main__':
    main()
