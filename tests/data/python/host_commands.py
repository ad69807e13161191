# maya.cmds and maya.mel over the host's commands and the test plug-in's
# (registered without a syntax): Maya's calling convention, typed results,
# RuntimeError with the command's message. Run with the arguments "one two".
import sys

import maya.standalone
maya.standalone.initialize(name='python')
import maya.cmds as cmds
import maya.mel as mel

assert sys.argv[1:] == ['one', 'two'], sys.argv

# A command without a syntax gets no flags from Python, as in Maya; MEL's reach it.
assert cmds.hostResult('a', 'b', bogus=True, n='x') == ['b', 'a']
assert mel.eval('hostResult a -flag x') == ['x', '-flag', 'a']
# Positional lists are taken item by item.
assert cmds.hostResult(['a', 'b'], 'c') == ['c', 'b', 'a']

# Host commands: flags by long or short name, True for a flag without a value.
box = cmds.createNode('transform', name='box')
assert box == 'box', box
assert cmds.createNode('mesh', n='boxShape', parent='box') == 'boxShape'
assert cmds.ls(type='mesh') == ['boxShape'] and cmds.ls(typ='mesh', long=True) == ['|box|boxShape']
assert 'box' in cmds.ls(transforms=True)
cmds.select('box')
assert cmds.ls(sl=True) == ['box'] and cmds.ls(selection=True) == ['box']
assert cmds.ls(sl=False) == cmds.ls()
assert type(cmds.about(batch=True)) is int
assert mel.eval('about -batch') == 1 and mel.eval('ls -sl') == ['box']

for call in (lambda: cmds.hostFail(), lambda: cmds.select('noSuchNode')):
    try:
        call()
    except RuntimeError as error:
        print('RuntimeError: %s' % error)
    else:
        raise AssertionError('no RuntimeError')
try:
    cmds.noSuchCommand
except AttributeError:
    pass
else:
    raise AssertionError('a command that does not exist')
print('host commands: all passed')
