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

# A plug-in command with a syntax: the same values from MEL and from Python,
# keywords by long or short name, a list for each use of a multi-use flag.
given = cmds.hostFlags(c=3, scale=1.5, name=['a', 'b'], verbose=True)
assert given == mel.eval('hostFlags -count 3 -s 1.5 -name a -n b -v'), given
assert given[0] == 'query 0' and given[-3:] == ['name a', 'name b', 'verbose'], given
assert cmds.hostFlags(verbose=False, n='c') == ['query 0', 'name c']
# Queried: the flags come without their values.
assert cmds.hostFlags(q=True, count=True) == mel.eval('hostFlags -q -count') == ['query 1']
# Values of the wrong type: Python's TypeError, MEL's error.
for keywords, message in ((dict(count='x'), "Invalid arguments for flag 'count'.  Expected int, got str"),
                          (dict(s='x'), "Invalid arguments for flag 's'.  Expected float, got str"),
                          (dict(name=[1]), "Invalid arguments for flag 'name'.  Expected string, got int"),
                          (dict(v='x'), "Flag 'v' must be passed a boolean argument"),
                          (dict(query=True, bogus=1), "Invalid flag 'bogus'")):
    try:
        cmds.hostFlags(**keywords)
    except TypeError as error:
        assert str(error) == message, error
    else:
        raise AssertionError('accepted %r' % keywords)
for text, message in (('hostFlags -count x', "Flag '-count' must be passed an int argument"),
                      ('hostFlags -s', "Flag '-s' must be passed a float argument")):
    try:
        mel.eval(text)
    except RuntimeError as error:
        assert message in str(error), error
    else:
        raise AssertionError('accepted ' + text)

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

# Host commands' flags through their tables: long or short names alike, a
# tuple for a flag with two values, queried flags without their values.
cmds.optionVar(intValue=('hostVar', 3))
cmds.optionVar(sv=('hostText', 'abc'))
assert cmds.optionVar(q='hostVar') == 3 and cmds.optionVar(query='hostText') == 'abc'
assert cmds.optionVar(exists='hostVar') == cmds.optionVar(ex='hostText') == 1
assert cmds.currentUnit(q=True, linear=True) == mel.eval('currentUnit -q -linear')
assert cmds.currentUnit(query=True, a=True) == mel.eval('currentUnit -query -angle')
other = cmds.createNode('transform', name='other')
cmds.connectAttr('box.tx', 'other.tx', f=True)
assert cmds.listConnections('other', source=True, d=False) == ['box']
assert cmds.listConnections('other', s=False) == mel.eval('listConnections -s false other')
# Keywords a host command's table refuses: Python's TypeError; MEL's message as before.
for call, message in ((lambda: cmds.ls(bogus=True), "Invalid flag 'bogus'"),
                      (lambda: cmds.createNode('transform', nam='x'), "Invalid flag 'nam'"),
                      (lambda: cmds.ls(sl='x'), "Flag 'sl' must be passed a boolean argument"),
                      (lambda: cmds.optionVar(iv='x'), "Invalid arguments for flag 'iv'.  Expected 2 values, got str"),
                      (lambda: cmds.createNode('transform', n=None),
                       "Invalid arguments for flag 'n'.  Expected a string or a number, got NoneType")):
    try:
        call()
    except TypeError as error:
        assert str(error) == message, error
    else:
        raise AssertionError('accepted: ' + message)
try:
    mel.eval('ls -bogus')
except RuntimeError as error:
    assert "ls: Invalid flag '-bogus'" in str(error), error
else:
    raise AssertionError('MEL accepted ls -bogus')

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
