import QtQuick 2.15
import QtTest 1.15
import nimbo4 1.0

TestCase {
    name: "Serialization"

    QtObject {
        id: sample
        objectName: "sample"
        property color tint: "#12AAC2"
        property int count: 3
        property var tags: ["a", "b"]
        property point spot: Qt.point(4, 5)
        signal poked()
        function helper() { return 1 }
    }

    QtObject {
        id: converter
        property color value
    }

    function color(text) {
        converter.value = text
        var c = converter.value
        return Qt.rgba(c.r, c.g, c.b, c.a)
    }

    function test_existed() {
        verify(Serialization.existed(0))
        verify(Serialization.existed(""))
        verify(Serialization.existed(false))
        verify(Serialization.existed(NaN))
        verify(!Serialization.existed(undefined))
        verify(!Serialization.existed(null))
        verify(Serialization.nullOrUndef(null))
        verify(!Serialization.nullOrUndef(0))
    }

    function test_colorToHex() {
        compare(Serialization.colorToHex(Qt.rgba(1, 1, 1, 1)), "#FFFFFFFF")
        compare(Serialization.colorToHex(Qt.rgba(0, 0, 0, 0)), "#00000000")
        compare(Serialization.colorToHex(color("#12AAC2")), "#FF12AAC2")
        compare(Serialization.colorToHex(Qt.rgba(0.5, 0, 0, 1)), "#FF800000") // 127.5 rounds up
    }

    function test_shapes() {
        verify(Serialization.isListType([1, 2]))
        verify(Serialization.isListType(sample.tags))
        verify(!Serialization.isListType({ length: 2 }))
        verify(!Serialization.isListType("text"))
        verify(Serialization.isColorType(sample.tint))
        verify(!Serialization.isColorType({ r: 1, g: 1, b: 1 }))
        verify(Serialization.isPointType(sample.spot))
        verify(!Serialization.isPointType({ x: 1 }))
    }

    function test_toJsObject() {
        compare(Serialization.toJsObject([color("white"), color("#12AAC2")]), ["#FFFFFFFF", "#FF12AAC2"])
        compare(Serialization.toJsObject(7), 7)
        var state = Serialization.toJsObject(sample)
        verify(!state.hasOwnProperty("objectName"))
        verify(!state.hasOwnProperty("poked"))
        verify(!state.hasOwnProperty("helper"))
        compare(state.tint, "#FF12AAC2")
        compare(state.count, 3)
        compare(state.tags, ["a", "b"])
        compare(state.spot.x, 4)
        compare(JSON.parse(JSON.stringify(state)).tint, "#FF12AAC2")
    }

    function test_isJsObjectEqual() {
        verify(Serialization.isJsObjectEqual(color("#12AAC2"), "#FF12AAC2"))
        verify(Serialization.isJsObjectEqual("#FF12AAC2", color("#12AAC2")))
        verify(!Serialization.isJsObjectEqual(color("#12AAC2"), "#ff12aac2"))
        verify(!Serialization.isJsObjectEqual(1, "1"))
        verify(Serialization.isJsObjectEqual([1, [2, 3]], [1, [2, 3]]))
        verify(!Serialization.isJsObjectEqual([1, 2], [1, 2, 3]))
        verify(!Serialization.isJsObjectEqual({ a: 1 }, { a: 1, b: 2 }))
        verify(!Serialization.isJsObjectEqual({ a: 1, b: 2 }, { a: 1 }))
        verify(Serialization.isJsObjectEqual({ a: 1, n: null }, { a: 1 }))
        verify(!Serialization.isJsObjectEqual({ a: 1 }, 1))
        verify(Serialization.isJsObjectEqual({ a: { b: [color("red")] } }, { a: { b: ["#FFFF0000"] } }))
    }

    function test_deepCopy() {
        var dest = { layerUid: "kept" }
        Serialization.deepCopy({ layerUid: "new", elType: "Rect", tint: color("red") }, dest,
                               ["layerUid", "elType", "tint"])
        compare(dest.layerUid, "kept")
        compare(dest.elType, "Rect")
        compare(dest.tint, "#FFFF0000")

        var fresh = {}
        Serialization.deepCopy({ layerUid: "filled" }, fresh, ["layerUid"])
        compare(fresh.layerUid, "filled")

        var fromObject = {}
        Serialization.deepCopy(sample, fromObject, ["objectName", "helper", "count", "tags"])
        verify(!fromObject.hasOwnProperty("objectName"))
        verify(!fromObject.hasOwnProperty("helper"))
        compare(fromObject.count, 3)
        compare(fromObject.tags, ["a", "b"])

        // A missing source value is reported and leaves the destination as it was.
        var untouched = { missing: 5 }
        Serialization.deepCopy({}, untouched, ["missing"])
        compare(untouched.missing, 5)
    }

    function test_isDeepEqual() {
        verify(Serialization.isDeepEqual({ a: 1 }, { a: 2 }, []))
        verify(Serialization.isDeepEqual(sample, { count: 3, tint: "#FF12AAC2" }, ["count", "tint", "helper"]))
        verify(!Serialization.isDeepEqual(sample, { count: 4 }, ["count"]))
    }

    function nested(levels, leaf) {
        var value = leaf
        for (var i = 0; i < levels; ++i)
            value = i % 2 === 0 ? [value] : { inner: value }
        return value
    }

    function thrownBy(f) {
        try {
            f()
        } catch (error) {
            return error
        }
        return null
    }

    // 64 levels are converted, compared and written; one more is a clear error, and so is a
    // value that holds itself, instead of the engine's stack running out.
    function test_depthLimit() {
        compare(Serialization.maxDepth, 64)
        var deepest = nested(64, "leaf")
        compare(Serialization.toJsObject(deepest), deepest)
        verify(Serialization.isJsObjectEqual(deepest, nested(64, "leaf")))
        compare(Serialization.stringify(deepest), JSON.stringify(deepest))

        var message = "Serialization: the value is nested deeper than 64 levels (or holds itself)"
        for (var f of [function() { Serialization.toJsObject(nested(65, 1)) },
                       function() { Serialization.stringify(nested(65, 1)) },
                       function() { Serialization.isJsObjectEqual(nested(65, 1), nested(65, 1)) },
                       function() { Serialization.toJsObject(nested(100000, 1)) },
                       function() { Serialization.deepCopy({ p: nested(200, 1) }, {}, ["p"]) }]) {
            var error = thrownBy(f)
            verify(error !== null)
            compare(error.message, message)
        }

        var loop = { name: "loop" }
        loop.self = loop
        compare(thrownBy(function() { Serialization.stringify(loop) }).message, message)
        var ring = [1]
        ring.push(ring)
        compare(thrownBy(function() { Serialization.toJsObject(ring) }).message, message)
    }

    function test_stringify() {
        compare(Serialization.stringify({ a: [1, "two", null], tint: color("#12AAC2") }),
                "{\"a\":[1,\"two\",null],\"tint\":\"#FF12AAC2\"}")
        compare(Serialization.stringify(null), "null")
        compare(Serialization.stringify(7), "7")
        compare(Serialization.stringify(undefined), undefined)
    }
}
