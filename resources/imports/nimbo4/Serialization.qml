pragma Singleton
import QtQuick 2.15

// Turns the state of QML objects into plain script data (arrays, plain objects, strings,
// numbers, booleans; colours as "#AARRGGBB") and compares such states deeply.
// Values are recognised by shape: a colour is anything with numeric r, g, b and a.
QtObject {
    function existed(v) {
        return v !== undefined && v !== null
    }

    function nullOrUndef(v) {
        return !existed(v)
    }

    function hexByte(channel) {
        var text = Math.floor(channel * 255 + 0.5).toString(16).toUpperCase()
        return text.length < 2 ? "0" + text : text
    }

    function colorToHex(color) {
        return "#" + hexByte(color.a) + hexByte(color.r) + hexByte(color.g) + hexByte(color.b)
    }

    // Genuine arrays, and the engine's list and sequence wrappers (numeric length that
    // is not an own enumerable member, and a splice function).
    function isListType(value) {
        return Array.isArray(value)
                || (value && typeof value.length === "number" && typeof value.splice === "function"
                    && !Object.prototype.propertyIsEnumerable.call(value, "length"))
    }

    function isColorType(value) {
        return typeof value.r === "number" && typeof value.g === "number"
                && typeof value.b === "number" && typeof value.a === "number"
    }

    function isPointType(value) {
        return typeof value.x === "number" && typeof value.y === "number"
    }

    function toJsObject(value) {
        if (isListType(value)) {
            var list = []
            for (var i = 0; i < value.length; ++i)
                list.push(toJsObject(value[i]))
            return list
        }
        if (isColorType(value))
            return colorToHex(value)
        if (typeof value === "object") {
            var result = {}
            for (var name in value) {
                var member = value[name]
                if (typeof member === "function" || name === "objectName")
                    continue
                // Missing members are kept as they are: there is nothing to convert.
                result[name] = existed(member) ? toJsObject(member) : member
            }
            return result
        }
        return value.valueOf()
    }

    function isJsObjectEqual(one, two) {
        if (isListType(one)) {
            if (!existed(two) || !isListType(two) || one.length !== two.length)
                return false
            for (var i = 0; i < one.length; ++i) {
                if (!isJsObjectEqual(one[i], two[i]))
                    return false
            }
            return true
        }
        var oneIsColor = isColorType(one)
        var twoIsColor = existed(two) && isColorType(two)
        if (oneIsColor || twoIsColor)
            return (oneIsColor ? colorToHex(one) : one) === (twoIsColor ? colorToHex(two) : two)
        if (typeof one === "object" || typeof two === "object") {
            if (typeof one !== "object" || typeof two !== "object" || !existed(two))
                return false
            return membersEqual(one, two, one) && membersEqual(one, two, two)
        }
        return one === two
    }

    // Compares the members that `names` enumerates; both sides missing counts as equal.
    function membersEqual(one, two, names) {
        for (var name in names) {
            if (typeof one[name] === "function" || typeof two[name] === "function" || name === "objectName")
                continue
            var onHere = existed(one[name]), onThere = existed(two[name])
            if (onHere !== onThere)
                return false
            if (onHere && !isJsObjectEqual(one[name], two[name]))
                return false
        }
        return true
    }

    function deepCopy(src, dest, accordTo) {
        for (var i = 0; i < accordTo.length; ++i) {
            var p = accordTo[i]
            if (typeof src[p] === "function" || p === "objectName")
                continue
            if ((p === "elType" || p === "layerUid") && existed(dest[p]))
                continue
            if (!existed(src[p])) {
                console.assert(false, ">>>>>>>>>>>>>>>>>deepCopy:", p, " is not existed")
                continue // nothing to convert; the destination keeps its value
            }
            dest[p] = toJsObject(src[p])
        }
    }

    function isDeepEqual(src, dest, accordTo) {
        for (var i = 0; i < accordTo.length; ++i) {
            var p = accordTo[i]
            if (typeof src[p] === "function")
                continue
            if (!isJsObjectEqual(src[p], dest[p]))
                return false
        }
        return true
    }
}
