pragma Singleton
import QtQuick 2.15

// Turns the state of QML objects into plain script data (arrays, plain objects, strings,
// numbers, booleans; colours as "#AARRGGBB") and compares such states deeply.
// Values are recognised by shape: a colour is anything with numeric r, g, b and a.
// Nesting is bounded: a value nested deeper than maxDepth levels (or one that holds itself)
// is not converted, compared or written as JSON; the function throws an Error that says so,
// before the script engine's stack runs out.
QtObject {
    readonly property int maxDepth: 64

    function tooDeep(depth) {
        if (depth > maxDepth)
            throw new Error("Serialization: the value is nested deeper than " + maxDepth
                            + " levels (or holds itself)")
    }

    // JSON text of a value, like JSON.stringify, but an Error past maxDepth levels.
    function stringify(value, space) {
        return JSON.stringify(toJsObject(value), null, space)
    }
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

    function toJsObject(value, depth) {
        var level = depth === undefined ? 0 : depth
        if (!existed(value))
            return value
        if (isListType(value)) {
            tooDeep(level + 1)
            var list = []
            for (var i = 0; i < value.length; ++i)
                list.push(toJsObject(value[i], level + 1))
            return list
        }
        if (isColorType(value))
            return colorToHex(value)
        if (typeof value === "object") {
            tooDeep(level + 1)
            var result = {}
            for (var name in value) {
                var member = value[name]
                if (typeof member === "function" || name === "objectName")
                    continue
                // Missing members are kept as they are: there is nothing to convert.
                result[name] = existed(member) ? toJsObject(member, level + 1) : member
            }
            return result
        }
        return value.valueOf()
    }

    function isJsObjectEqual(one, two, depth) {
        var level = depth === undefined ? 0 : depth
        if (isListType(one)) {
            if (!existed(two) || !isListType(two) || one.length !== two.length)
                return false
            tooDeep(level + 1)
            for (var i = 0; i < one.length; ++i) {
                if (!isJsObjectEqual(one[i], two[i], level + 1))
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
            tooDeep(level + 1)
            // Each member is compared once: the second pass only looks for members the first
            // did not see (comparing both ways in depth doubled the work at every level).
            return membersEqual(one, two, one, level + 1) && noMembersBeyond(one, two)
        }
        return one === two
    }

    // Compares the members that `names` enumerates; both sides missing counts as equal.
    function membersEqual(one, two, names, depth) {
        for (var name in names) {
            if (typeof one[name] === "function" || typeof two[name] === "function" || name === "objectName")
                continue
            var onHere = existed(one[name]), onThere = existed(two[name])
            if (onHere !== onThere)
                return false
            if (onHere && !isJsObjectEqual(one[name], two[name], depth))
                return false
        }
        return true
    }

    // Whether every member of `two` that exists also exists in `one`.
    function noMembersBeyond(one, two) {
        for (var name in two) {
            if (typeof one[name] === "function" || typeof two[name] === "function" || name === "objectName")
                continue
            if (existed(two[name]) && !existed(one[name]))
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
