# Fails when a file of the core includes a widget header or a header of the program's own
# folders (windows, grid, dialogs). Run: cmake -DROOT=<source dir> -P CheckCoreIncludes.cmake
file(GLOB_RECURSE files ${ROOT}/core/*.h ${ROOT}/core/*.cpp)
set(forbidden
    "#include[ \t]*[<\"](QtWidgets/|QWidget|QDialog|QMainWindow|QMessageBox|QApplication|QAbstractButton|QPushButton|QLabel|QTableView|QLineEdit|QComboBox|QListWidget|QMenu|QAction|QToolBar|QStatusBar|QFileDialog|QPrint)"
    "#include[ \t]*\"(app|view|grid|member|contrib|config|output|components|statement|exchange|incasso)/"
    "#include[ \t]*\"tolvex7/(KSelectString|KShowMessages|KHelpShow|KProgress|Messages)")
set(found "")
foreach(file ${files})
    file(STRINGS ${file} lines REGEX "#include")
    foreach(line ${lines})
        foreach(pattern ${forbidden})
            if(line MATCHES "${pattern}")
                string(APPEND found "\n  ${file}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "The core includes widget or program headers:${found}")
endif()
message(STATUS "The core includes no widget or program headers (${ROOT}/core)")
