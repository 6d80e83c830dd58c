import QtQuick 2.15

// A ring of equal sectors around an inner circle, each with an icon and an Action.
// The mouse highlights a sector by hovering and triggers it by a click; a click on the
// inner circle is only reported. A gamepad opens and closes the menu with Select and
// Start held together, picks a sector with either stick (the right one wins) and
// triggers it with L1, R1, L3 or R3. Escape closes the open menu.
PieMenuForm {
    id: menu

    // Whether Select and Start were both held at the last gamepad change: the menu
    // toggles only when the pair becomes complete, not on every change while held.
    property bool selectStartHeld: false
    property bool completed: false
    // Where the pointer was last seen over the menu.
    property point pointer: Qt.point(-1, -1)

    signal innerPressed(var mouse)
    signal sectorPressed(var index, var mouse)

    function isWholeCount(count) {
        return isFinite(count) && count >= 3 && Math.floor(count) === count
    }

    function iconOf(index) {
        var icons = sectorIcons
        return icons && index < icons.length && icons[index] ? icons[index] : ""
    }

    function iconBinding(index) {
        return Qt.binding(function() { return menu.iconOf(index) })
    }

    function rebuildSectors() {
        for (var i = 0; i < sectors.length; ++i)
            sectors[i].destroy()
        sectors = []
        if (!isWholeCount(sectorCount)) {
            // Both arcs of a sector take the shorter way, so fewer than three sectors
            // (or a part of one) cannot be drawn.
            console.warn("PieMenu: no sectors for a sector count of " + sectorCount
                         + ", it needs a whole number of at least 3")
            return
        }
        var angle = 360 / sectorCount
        var built = []
        for (var j = 0; j < sectorCount; ++j) {
            built.push(sectorTemplate.createObject(menu, {
                "innerRadius": Qt.binding(function() { return menu.innerRadius }),
                "outerRadius": Qt.binding(function() { return menu.outerRadius }),
                "fillGradient": Qt.binding(function() { return menu.fillGradient }),
                "startAngle": angle * j,
                "sweepAngle": angle,
                "strokeColor": "transparent",
                "strokeWidth": 1,
                "source": iconBinding(j)
            }))
        }
        sectors = built
        console.debug("sectors created:", sectorCount)
    }

    function highlightWhere(test) {
        for (var i = 0; i < sectors.length; ++i)
            sectors[i].highlighted = test(i)
    }

    // Highlights every sector under the pointer, while the menu is open.
    function hoverAt(x, y) {
        var point = Qt.point(x, y)
        pointer = point
        if (state !== "active")
            return
        highlightWhere(function(i) { return menu.sectors[i].contains(point) })
    }

    // Plays the sector's press glow and triggers its Action, if it has one.
    function triggerSector(index) {
        var action = index >= 0 && index < sectors.length && actions && index < actions.length ? actions[index] : null
        if (!action || typeof action.trigger !== "function")
            return
        sectors[index].press()
        action.trigger()
    }

    // The sector the sticks point at, -1 for none. A stick counts only when it is off
    // centre; an angle of exactly 0 (straight right) lies on a border and picks nothing.
    function stickSector() {
        var x = 0
        var y = 0
        if (gamepad.axisLeftX !== 0 || gamepad.axisLeftY !== 0) {
            x = gamepad.axisLeftX
            y = gamepad.axisLeftY
        }
        if (gamepad.axisRightX !== 0 || gamepad.axisRightY !== 0) {
            x = gamepad.axisRightX
            y = gamepad.axisRightY
        }
        if (sectors.length === 0 || (x === 0 && y === 0))
            return -1
        var angle = Math.atan2(y, x)
        if (angle < 0)
            angle += 2 * Math.PI
        if (angle === 0)
            return -1
        return Math.min(Math.floor(angle / (2 * Math.PI / sectors.length)), sectors.length - 1)
    }

    // Called on every change of a watched gamepad input; triggerPressed is true only
    // for the change that pressed L1, R1, L3 or R3.
    function followGamepad(triggerPressed) {
        if (!gamepad)
            return
        var held = gamepad.buttonSelect && gamepad.buttonStart
        if (held && !selectStartHeld)
            state = state === "active" ? "" : "active"
        selectStartHeld = held
        if (state !== "active")
            return
        var index = stickSector()
        highlightWhere(function(i) { return i === index })
        if (triggerPressed && index > -1)
            triggerSector(index)
    }

    onSectorCountChanged: if (completed) rebuildSectors()
    onSectorIconsChanged: {
        var icons = sectorIcons || []
        for (var i = 0; i < icons.length && i < sectors.length; ++i)
            console.debug("sector icon:", i, icons[i])
    }
    onStateChanged: if (state !== "active") highlightWhere(function() { return false })
    Component.onCompleted: {
        completed = true
        if (sectorCount !== 0)
            rebuildSectors()
    }

    Connections {
        target: menu.pointerArea

        // Only a pointer that moves takes the highlight, so a stick's choice stays while
        // the pointer rests on the menu: the window repeats the resting position after
        // frames that changed the scene, and "enters" the menu when it opens under it.
        function onEntered() {
            menu.pointer = Qt.point(menu.pointerArea.mouseX, menu.pointerArea.mouseY)
        }
        function onPositionChanged(mouse) {
            if (mouse.x !== menu.pointer.x || mouse.y !== menu.pointer.y)
                menu.hoverAt(mouse.x, mouse.y)
        }
        function onExited() {
            menu.highlightWhere(function() { return false })
        }
        function onClicked(mouse) {
            if (menu.innerCircle.contains(Qt.point(mouse.x, mouse.y))) {
                menu.innerPressed(mouse)
                return
            }
            if (menu.opacity === 0)
                return
            for (var i = 0; i < menu.sectors.length; ++i) {
                if (menu.sectors[i].contains(Qt.point(mouse.x, mouse.y))) {
                    menu.triggerSector(i)
                    menu.sectorPressed(i, mouse)
                    return
                }
            }
        }
    }

    Connections {
        target: menu.gamepad
        ignoreUnknownSignals: true

        function onButtonStartChanged() { menu.followGamepad(false) }
        function onButtonSelectChanged() { menu.followGamepad(false) }
        function onAxisLeftXChanged() { menu.followGamepad(false) }
        function onAxisLeftYChanged() { menu.followGamepad(false) }
        function onAxisRightXChanged() { menu.followGamepad(false) }
        function onAxisRightYChanged() { menu.followGamepad(false) }
        function onButtonL1Changed(value) { menu.followGamepad(value) }
        function onButtonR1Changed(value) { menu.followGamepad(value) }
        function onButtonL3Changed(value) { menu.followGamepad(value) }
        function onButtonR3Changed(value) { menu.followGamepad(value) }
    }

    Shortcut {
        sequence: StandardKey.Cancel
        enabled: menu.state === "active"
        onActivated: menu.state = ""
    }

    Component {
        id: sectorTemplate

        PieMenuSector {}
    }
}
