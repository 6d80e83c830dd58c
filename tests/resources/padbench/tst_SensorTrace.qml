import QtQuick 2.15
import QtTest 1.15
import com.corvane.diagnostics 1.0

// The sensor trace: the readings it keeps (a ring of `length`, the newest last, a shorter
// length keeping the newest) and where it draws each axis.
Item {
    id: root
    width: 300
    height: 200

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    Component {
        id: traceComponent
        SensorTrace {
            width: 200
            height: 80
        }
    }

    TestCase {
        name: "SensorTrace"
        when: windowShown

        function push(trace, count) {
            for (var i = 1; i <= count; ++i)
                trace.value = Qt.vector3d(i, -i, 0)
        }

        function test_readingsKept_data() {
            return [
                { tag: "fewer than its length", length: 5, pushed: 3, shorten: 0, count: 3, oldest: 1, newest: 3 },
                { tag: "just its length", length: 5, pushed: 5, shorten: 0, count: 5, oldest: 1, newest: 5 },
                { tag: "wrapped round", length: 5, pushed: 12, shorten: 0, count: 5, oldest: 8, newest: 12 },
                { tag: "shortened after wrapping", length: 5, pushed: 12, shorten: 3, count: 3, oldest: 10, newest: 12 },
                { tag: "shortened before filling", length: 8, pushed: 2, shorten: 4, count: 2, oldest: 1, newest: 2 }
            ]
        }

        function test_readingsKept(data) {
            var trace = createTemporaryObject(traceComponent, root, { length: data.length })
            push(trace, data.pushed)
            if (data.shorten)
                trace.length = data.shorten
            compare(trace.count, data.count)
            compare(trace.reading(0), Qt.vector3d(data.oldest, -data.oldest, 0))
            compare(trace.reading(trace.count - 1), Qt.vector3d(data.newest, -data.newest, 0))
            compare(trace.reading(trace.count), Qt.vector3d(0, 0, 0), "nothing past the newest")
            // The same reading again still joins the trace: the trace is of readings.
            var before = trace.count
            trace.value = trace.value
            compare(trace.count, Math.min(before + 1, trace.length))
            trace.clear()
            compare(trace.count, 0)
        }

        // x at +half the range (a quarter down), y at -half (three quarters down), z at 0
        // (the middle), each in its colour, up to the right edge.
        function test_axesDrawnWhereTheyRead() {
            var trace = createTemporaryObject(traceComponent, root, {
                length: 20, range: 2, xColor: "#ff0000", yColor: "#00ff00", zColor: "#0000ff"
            })
            for (var i = 0; i < 20; ++i)
                trace.value = Qt.vector3d(1, -1, 0)
            waitForRendering(trace)
            var image = grabImage(trace)
            var columns = [20, 100, 190]
            var rows = [{ y: 20, channel: "red" }, { y: 60, channel: "green" }, { y: 40, channel: "blue" }]
            for (var c = 0; c < columns.length; ++c) {
                for (var r = 0; r < rows.length; ++r) {
                    var found = false
                    for (var dy = -1; dy <= 1 && !found; ++dy) {
                        var x = columns[c], y = rows[r].y + dy
                        var value = rows[r].channel === "red" ? image.red(x, y)
                                  : rows[r].channel === "green" ? image.green(x, y) : image.blue(x, y)
                        found = value > 120
                    }
                    verify(found, rows[r].channel + " line at " + columns[c] + ", " + rows[r].y)
                }
            }
            // Nothing between the lines.
            compare(image.red(100, 30) + image.green(100, 30) + image.blue(100, 30), 0)
        }
    }
}
