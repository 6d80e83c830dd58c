import QtQuick 2.15
import com.corvane.diagnostics 1.0

// The motion sensors part. The engine enables the sensors only while the bench shows
// (its `active` follows the model); this part only shows what they read.
SensorsSectionForm {
    id: section

    // The pad's SensorBench.
    required property QtObject bench

    function rateText(rate) {
        return rate > 0 ? qsTr("%1 Hz").arg(Number(rate).toFixed(0)) : qsTr("rate not reported")
    }

    sensors: bench
    gyroReason: bench && !bench.gyro ? bench.unavailableReason(SensorBench.Gyro) : ""
    accelerometerReason: bench && !bench.accelerometer ? bench.unavailableReason(SensorBench.Accelerometer) : ""
    gyroRateText: bench && bench.gyro ? rateText(bench.gyroRate) : ""
    accelerometerRateText: bench && bench.accelerometer ? rateText(bench.accelerometerRate) : ""
}
