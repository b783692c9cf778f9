;;; lots.lsp -- lot numbering for the subdivision of "site/Site plan.dwg".
;;;
;;; LOTS       opens the lot table for the site's twelve lot layers, starting
;;;            from the rows confirmed last time, and lists the confirmed
;;;            table on the command line.
;;; LOTSAGAIN  reopens the table exactly as it was last confirmed.
;;; LOTSDEMO   opens the table on three rows to try the grid on: the second
;;;            row has no type yet (OK says "Type is absent"), the third
;;;            starts after a gap, and the easement layer has no lots, so
;;;            its row needs no type.
;;;
;;; LOTDIALOG takes the layer names, the lot types to choose from, one lot
;;; count per layer (as text) and the rows of the table as last used, or nil.
;;; It answers the confirmed rows, each (Layer Quantity Type Numbering), nil
;;; after Cancel, or no value when the counts do not match the layers.

;; The rows confirmed last; before the first OK, a starting table that numbers
;; the Elm Street lots first and every other lot after them.
(setq *lots-rows* '(("LOT-A-ELM-NORTH" "14" "Detached" "1")
                    ("LOT-A-ELM-SOUTH" "12" "Detached" "15")
                    ("*" "82" "Terraced" "27")))

;; The lot layers of the site plan, one per street side or block.
(defun lots-layers ()
  '("LOT-A-ELM-NORTH" "LOT-A-ELM-SOUTH" "LOT-B-OAK-NORTH" "LOT-B-OAK-SOUTH"
    "LOT-C-ASH-EAST" "LOT-C-ASH-WEST" "LOT-D-PARKSIDE" "LOT-E-MILL-EAST"
    "LOT-E-MILL-WEST" "LOT-F-MARKET" "LOT-G-CORNERS" "LOT-H-RESERVE"
    "LOT-Z-EASEMENT"))

;; The lot types offered in the Type column.
(defun lots-types ()
  '("Detached" "Semi-detached" "Terraced" "Commercial"))

;; The number of lots drawn on each layer, in the order of lots-layers.
(defun lots-counts ()
  '("14" "12" "9" "11" "16" "15" "6" "8" "8" "3" "4" "2" "0"))

;; The rows of a LOTDIALOG answer. A short table comes wrapped in one more
;; list, and a table whose only row is followed by rows without a layer comes
;; as that one row itself.
(defun lots-rows (answer)
  (cond ((eq (type (car answer)) 'STR) (list answer))
        ((listp (car (car answer))) (car answer))
        (t answer)))

(defun lots-report (rows)
  (princ "\nLayer                Lots  Type            First number")
  (foreach row rows
    (princ (strcat "\n" (lots-pad (car row) 21) (lots-pad (cadr row) 6)
                   (lots-pad (caddr row) 16) (nth 3 row))))
  (princ))

(defun lots-pad (text width)
  (while (< (strlen text) width) (setq text (strcat text " ")))
  text)

(defun c:lots (/ answer)
  (setq answer (lotdialog (lots-layers) (lots-types) (lots-counts) *lots-rows*))
  (cond
    ((null answer) (princ "\nLot numbering cancelled."))
    ((listp answer) (setq *lots-rows* (lots-rows answer)) (lots-report *lots-rows*)))
  (princ))

(defun c:lotsdemo (/ answer)
  (setq answer
    (lotdialog (lots-layers) (lots-types) (lots-counts)
               '(("LOT-A-ELM-NORTH" "14" "Detached" "1")
                 ("LOT-B-OAK-NORTH" "9" "" "15")
                 ("LOT-D-PARKSIDE" "6" "Terraced" "30"))))
  (if (and answer (listp answer)) (lots-report (lots-rows answer)))
  (princ))

(defun c:lotsagain (/ answer)
  (setq answer (lotdialog))
  (if (and answer (listp answer)) (lots-report (lots-rows answer)))
  (princ))

(princ)
