import QtQuick 2.15
import com.corvane.system 1.0

// The About window. Every opening collects the system information afresh.
AboutDialogForm {
    id: aboutDialog

    function showAbout() {
        aboutDialog.show()
        SysInfo.scan()
    }
}
