#!/usr/bin/env python3
"""Reads and drives the real program through AT-SPI, as a screen reader does: the controls' names
and descriptions; Enter in the input line, then the matrix, the three results and (Qt 6.8 and
later) their announcement, the focus staying in the line; the button's press action announcing
the same results again; and the exit button. On an X display and a session bus (CMakeLists.txt).
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
program = subprocess.Popen([sys.argv[1]], env=dict(
    os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', LC_ALL='C.UTF-8'))


def fail(step, detail=''):
    print(f'FAIL: {step}{": " + detail if detail else ""}', file=sys.stderr)
    if program.poll() is None:
        program.kill()
    sys.exit(1)


def pump(seconds):
    """Takes the events that arrive within that time, and those already there."""
    deadline = time.monotonic() + seconds
    while GLib.MainContext.default().iteration(False) or time.monotonic() < deadline:
        time.sleep(0.01)


def wait_for(step, probe):
    """Calls probe until it returns something true, for at most TIMEOUT seconds."""
    deadline, last = time.monotonic() + TIMEOUT, None
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


def window():
    return next((w for app in pyatspi.Registry.getDesktop(0) if app for w in app
                 if w and w.name == 'Mezolin' and w.childCount >= 8), None)


def children(role):
    return [c for c in (form.getChildAtIndex(i) for i in range(form.childCount))
            if c.getRole() == role]


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def press(button):
    action = button.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    if 'press' not in names:
        fail(f'press action of {button.name}', repr(names))
    action.doAction(names.index('press'))


form = wait_for('the window on the accessibility bus', window)
# Each control says what it is in a few words; its tooltip is the description, never the same
# text twice. Roles are compared by value: their names change between AT-SPI releases.
buttons = {b.name: b for b in children(pyatspi.ROLE_PUSH_BUTTON)}
boxes = {t.name: t for t in children(pyatspi.ROLE_TEXT) + children(pyatspi.ROLE_ENTRY)}
labels = children(pyatspi.ROLE_LABEL)
if set(buttons) != {'Вычислить', 'Выход'}:
    fail('button names', repr(sorted(buttons)))
if set(boxes) != {'Матрица', 'Сумма', 'Максимум', 'Разность'}:
    fail('text box names', repr(sorted(boxes)))
if TASK not in [label.name for label in labels]:
    fail('the task is readable', repr([label.name for label in labels]))
for child in list(buttons.values()) + list(boxes.values()) + labels:
    if not child.description or child.description == child.name:
        fail('description', f'{child.name!r} has description {child.description!r}')

# Qt announces from 6.8 on; before, nothing at all is to be heard.
version = tuple(int(n) for n in form.getApplication().toolkitVersion.split('.')[:2])
heard = []
pyatspi.Registry.registerEventListener(lambda event: heard.append(event.any_data),
                                       'object:announcement')
line = boxes['Матрица']
line.queryEditableText().setTextContents(LINE)
line.queryComponent().grabFocus()
wait_for('the line in Text1, and the focus',
         lambda: text_of(line) == LINE and line.getState().contains(pyatspi.STATE_FOCUSED))
pyatspi.Registry.generateKeyboardEvent(RETURN, None, pyatspi.KEY_SYM)
wait_for('the matrix read from its label', lambda: MATRIX in [c.name for c in labels])
for name, value in (('Сумма', '136'), ('Максимум', '16'), ('Разность', '-120')):
    wait_for(f'{name} reads {value}', lambda: text_of(boxes[name]) == value)
if version >= (6, 8):
    wait_for('the results announced after Enter', lambda: heard)
    if heard != [HEARD]:
        fail('one announcement after Enter', repr(heard))
press(buttons['Вычислить'])
pump(1)  # whatever else was to come
if heard != ([HEARD, HEARD] if version >= (6, 8) else []):
    fail(f'what Qt {version} announced', repr(heard))
if not line.getState().contains(pyatspi.STATE_FOCUSED):
    fail('the focus left Text1')
print(f'ok: names, descriptions, the matrix and the results read; Qt {version} announced {heard!r}')

press(buttons['Выход'])
try:
    status = program.wait(timeout=TIMEOUT)
except subprocess.TimeoutExpired:
    fail('the program ends after Выход')
if status != 0:
    fail('exit status after Выход', str(status))
print('ok: Выход pressed through AT-SPI ends the program with status 0')
