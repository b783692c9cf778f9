;;; lots.lsp -- numbers the lots of a subdivision plan with LOTDIALOG's table.
;;;
;;; LOTS       finds the lot layers of the drawing (the LAYER entries named
;;;            LOT-*), counts the closed polylines on each, and opens the lot
;;;            table, starting from the table confirmed last (kept in the
;;;            drawing). After OK it writes the lot numbers onto the lots and
;;;            reports them on the command line.
;;; LOTSAGAIN  reopens the table exactly as it was last confirmed and, after
;;;            OK, numbers the lots the same way.
;;; LOTSDEMO   opens the table on three rows to try the grid on: the second
;;;            row has no type yet (OK says "Type is absent"), the third
;;;            starts after a gap; after OK the lots are numbered.
;;;
;;; How the lots are numbered. The rows go in the table's order; each row's
;;; lots are numbered on from the row's first number. The "*" row takes the
;;; lots of every layer that no row above it names, layer by layer in the
;;; order of the layer list (alphabetical). Within a layer the lots go in
;;; order along their street: along the line that joins the two lot centres
;;; of the layer farthest apart (found the usual quick way: the centre
;;; farthest from the first, then the one farthest from that), from the end
;;; nearer the drawing's lower left corner.
;;;
;;; Each numbered lot gets its number as a TEXT on the layer LOT-NUMBERS,
;;; centred at a point inside the lot and far from its edges (the centroid
;;; when that is well inside, else the best point of a grid over the lot, as
;;; for an L-shaped lot whose centroid lies outside it), as high as the lot
;;; leaves room for; below it the row's lot type, smaller, on LOT-TYPES.
;;; Numbers placed before on those two layers are removed first, so a lot
;;; never carries two numbers. Cancel changes nothing.
;;;
;;; The confirmed table is kept in the drawing, in the named object
;;; dictionary under LOTGRID_LOT_TABLE, and saved with it. A drawing of
;;; AutoCAD R12 has no dictionaries: there the table lasts for the session.

;; The table of drawings that cannot keep one.
(setq *lots-session-rows* nil)
(setq *lots-table-key* "LOTGRID_LOT_TABLE")

(defun lots-types () '("Detached" "Semi-detached" "Terraced" "Commercial"))

;;; --- The drawing's lot layers and lots -----------------------------------

;; A name as a literal wcmatch pattern: the pattern characters escaped.
(defun lots-literal (name / out i ch)
  (setq out "" i 1)
  (repeat (strlen name)
    (setq ch (substr name i 1) i (1+ i))
    (if (member ch '("#" "@" "." "*" "?" "~" "[" "]" "-" "," "`"))
      (setq out (strcat out "`" ch))
      (setq out (strcat out ch))))
  out)

;; The LAYER entries named LOT-*, but the layers the numbers go to.
(defun lots-layers (/ entry name layers)
  (setq entry (tblnext "LAYER" T))
  (while entry
    (setq name (cdr (assoc 2 entry)))
    (if (and (wcmatch (strcase name) "LOT-*")
             (not (member (strcase name) '("LOT-NUMBERS" "LOT-TYPES"))))
      (setq layers (cons name layers)))
    (setq entry (tblnext "LAYER")))
  (vl-sort layers '<))

;; The closed polylines of a layer, a selection set or nil.
(defun lots-on-layer (layer)
  (ssget "X" (list '(0 . "LWPOLYLINE,POLYLINE") (cons 8 (lots-literal layer))
                   '(-4 . "&") '(70 . 1))))

(defun lots-count (layer / set)
  (setq set (lots-on-layer layer))
  (if set (itoa (sslength set)) "0"))

;;; --- The table kept in the drawing ---------------------------------------

(defun lots-saved-rows (/ dictionary record rows texts)
  (if (setq dictionary (namedobjdict))
    (progn
      (if (setq record (dictsearch dictionary *lots-table-key*))
        (progn
          (foreach pair record
            (if (= (car pair) 1) (setq texts (cons (cdr pair) texts))))
          (setq texts (reverse texts))
          (while (>= (length texts) 4)
            (setq rows (cons (list (nth 0 texts) (nth 1 texts) (nth 2 texts) (nth 3 texts)) rows)
                  texts (cdr (cdr (cdr (cdr texts))))))
          (reverse rows))))
    *lots-session-rows*))

(defun lots-keep-rows (rows / dictionary data)
  (setq *lots-session-rows* rows)
  (if (setq dictionary (namedobjdict))
    (progn
      (dictremove dictionary *lots-table-key*)
      (setq data (list '(0 . "XRECORD") '(100 . "AcDbXrecord") (cons 70 (length rows))))
      (foreach row rows
        (foreach text row (setq data (append data (list (cons 1 text))))))
      (dictadd dictionary *lots-table-key* (entmakex data)))))

;;; --- Geometry of one lot -------------------------------------------------

;; The points of a closed polyline, arcs (bulges) as four chords each.
(defun lots-outline (ename / data points vertex bulge first next kind)
  (setq data (entget ename) kind (cdr (assoc 0 data)))
  (if (= kind "LWPOLYLINE")
    (foreach pair data
      (cond ((= (car pair) 10) (setq points (cons (list (cadr pair) (caddr pair) 0.0) points)))
            ((= (car pair) 42) (setq points (cons (subst (cdr pair) 0.0 (car points)) (cdr points))))))
    (progn
      (setq next (entnext ename))
      (while (and next (= (cdr (assoc 0 (setq vertex (entget next)))) "VERTEX"))
        (setq points (cons (list (cadr (assoc 10 vertex)) (caddr (assoc 10 vertex))
                                 (if (assoc 42 vertex) (cdr (assoc 42 vertex)) 0.0))
                           points)
              next (entnext next)))))
  (lots-flatten (reverse points)))

;; (x y bulge) vertices of a closed outline to (x y) points, arcs as chords.
(defun lots-flatten (vertices / out here there b k chord sweep r cx cy a0 mx my nx ny h)
  (setq k 0)
  (foreach here vertices
    (setq there (nth (rem (setq k (1+ k)) (length vertices)) vertices)
          b (caddr here)
          out (cons (list (car here) (cadr here)) out))
    (if (/= b 0.0)
      (progn
        ;; the arc's centre lies on the chord's perpendicular bisector
        (setq chord (distance (list (car here) (cadr here)) (list (car there) (cadr there)))
              sweep (* 4.0 (atan b))
              r (/ chord (* 2.0 (sin (/ (abs sweep) 2.0))))
              mx (/ (+ (car here) (car there)) 2.0)
              my (/ (+ (cadr here) (cadr there)) 2.0)
              nx (/ (- (cadr here) (cadr there)) chord)
              ny (/ (- (car there) (car here)) chord)
              h (* r (cos (/ sweep 2.0)) (if (> b 0) 1.0 -1.0))
              cx (+ mx (* nx h))
              cy (+ my (* ny h))
              a0 (angle (list cx cy) (list (car here) (cadr here))))
        (foreach f '(0.25 0.5 0.75)
          (setq out (cons (polar (list cx cy) (+ a0 (* f sweep)) r) out))))))
  (reverse out))

;; The area centroid of a polygon of (x y) points; nil for no area.
(defun lots-centroid (points / a cx cy p q w n)
  (setq a 0.0 cx 0.0 cy 0.0 n (length points) p (last points))
  (foreach q points
    (setq w (- (* (car p) (cadr q)) (* (car q) (cadr p)))
          a (+ a w)
          cx (+ cx (* w (+ (car p) (car q))))
          cy (+ cy (* w (+ (cadr p) (cadr q))))
          p q))
  (if (> (abs a) 1e-9)
    (list (/ cx (* 3.0 a)) (/ cy (* 3.0 a)))))

;; True when (x y) lies inside the polygon (crossings of a ray to the right).
(defun lots-inside (pt points / x y p inside)
  (setq x (car pt) y (cadr pt) p (last points))
  (foreach q points
    (if (and (not (eq (> (cadr p) y) (> (cadr q) y)))
             (< x (+ (car p) (/ (* (- y (cadr p)) (- (car q) (car p))) (- (cadr q) (cadr p))))))
      (setq inside (not inside)))
    (setq p q))
  inside)

;; The distance from (x y) to the nearest edge of the polygon.
(defun lots-clearance (pt points / p best d dx dy len u)
  (setq p (last points) best 1e300)
  (foreach q points
    (setq dx (- (car q) (car p)) dy (- (cadr q) (cadr p)) len (+ (* dx dx) (* dy dy))
          u (if (> len 0.0)
              (max 0.0 (min 1.0 (/ (+ (* (- (car pt) (car p)) dx) (* (- (cadr pt) (cadr p)) dy)) len)))
              0.0)
          d (distance pt (list (+ (car p) (* u dx)) (+ (cadr p) (* u dy))))
          best (min best d)
          p q))
  best)

;; Where the number goes, and the room around it: (point clearance). The
;; centroid when it lies well inside; else the best point of a grid.
(defun lots-label-point (points / c d xs ys x0 y0 x1 y1 best room pt i j)
  (setq c (lots-centroid points)
        xs (mapcar 'car points) ys (mapcar 'cadr points)
        x0 (apply 'min xs) x1 (apply 'max xs) y0 (apply 'min ys) y1 (apply 'max ys))
  (if (and c (lots-inside c points)
           (>= (setq d (lots-clearance c points)) (* 0.3 (min (- x1 x0) (- y1 y0)))))
    (list c d)
    (progn
      (setq room -1.0 i 1)
      (repeat 9
        (setq j 1)
        (repeat 9
          (setq pt (list (+ x0 (* (- x1 x0) (/ i 10.0))) (+ y0 (* (- y1 y0) (/ j 10.0)))) j (1+ j))
          (if (and (lots-inside pt points) (> (setq d (lots-clearance pt points)) room))
            (setq best pt room d)))
        (setq i (1+ i)))
      (if best (list best room) (list (car points) 0.0)))))

;;; --- Numbering -------------------------------------------------------------

;; The lots of a layer in order along their street, each as
;; (ename point clearance).
(defun lots-in-order (layer / set i lots a b swap dx dy)
  (if (setq set (lots-on-layer layer))
    (progn
      (setq i 0)
      (repeat (sslength set)
        (setq lots (cons (cons (ssname set i) (lots-label-point (lots-outline (ssname set i)))) lots)
              i (1+ i)))
      ;; The two centres farthest apart: the one farthest from the first,
      ;; then the one farthest from that.
      (setq a (cadr (car lots)) b a)
      (foreach lot lots (if (> (distance a (cadr lot)) (distance a b)) (setq b (cadr lot))))
      (setq a b)
      (foreach lot lots (if (> (distance a (cadr lot)) (distance a b)) (setq b (cadr lot))))
      (if (> (+ (car a) (cadr a)) (+ (car b) (cadr b)))
        (setq swap a a b b swap))
      (setq dx (- (car b) (car a)) dy (- (cadr b) (cadr a)))
      (mapcar 'cdr
              (vl-sort (mapcar '(lambda (lot)
                                  (cons (+ (* (- (car (cadr lot)) (car a)) dx)
                                           (* (- (cadr (cadr lot)) (cadr a)) dy))
                                        lot))
                               lots)
                       '(lambda (p q) (< (car p) (car q))))))))

;; The number of a lot, and its type below it, inside the lot.
(defun lots-write (lot number type / x y h)
  (setq x (car (cadr lot)) y (cadr (cadr lot)) h (* 0.45 (caddr lot)))
  (entmake (list '(0 . "TEXT") '(8 . "LOT-NUMBERS") (list 10 x y 0.0)
                 (list 11 x (+ y (* 0.25 h)) 0.0) (cons 40 h) (cons 1 (itoa number))
                 '(72 . 1) '(73 . 2)))
  (if (/= type "")
    (entmake (list '(0 . "TEXT") '(8 . "LOT-TYPES") (list 10 x y 0.0)
                   (list 11 x (- y (* 0.4 h)) 0.0) (cons 40 (* 0.4 h)) (cons 1 type)
                   '(72 . 1) '(73 . 3)))))

;; Removes the numbers and types placed before.
(defun lots-clear (/ old i)
  (if (setq old (ssget "X" '((0 . "TEXT") (8 . "LOT-NUMBERS,LOT-TYPES"))))
    (progn
      (setq i 0)
      (repeat (sslength old)
        (entdel (ssname old i))
        (setq i (1+ i))))))

;; Numbers the lots by the rows; answers one (layer count first last) a row.
(defun lots-number (rows layers / named report layer type n count)
  (lots-clear)
  (foreach row rows
    (setq layer (car row) type (caddr row) n (atoi (nth 3 row)) count 0)
    (foreach name (if (= layer "*")
                    (vl-remove-if '(lambda (l) (member (strcase l) named)) layers)
                    (list layer))
      (foreach lot (lots-in-order name)
        (lots-write lot n type)
        (setq n (1+ n) count (1+ count))))
    (if (/= layer "*") (setq named (cons (strcase layer) named)))
    (setq report (cons (list layer count (atoi (nth 3 row)) (1- n)) report)))
  (reverse report))

;;; --- Commands ------------------------------------------------------------

;; The rows of a LOTDIALOG answer. A short table comes wrapped in one more
;; list, and a table whose only row is followed by rows without a layer comes
;; as that one row itself.
(defun lots-rows (answer)
  (cond ((eq (type (car answer)) 'STR) (list answer))
        ((listp (car (car answer))) (car answer))
        (t answer)))

(defun lots-pad (text width)
  (while (< (strlen text) width) (setq text (strcat text " ")))
  text)

(defun lots-report (rows)
  (princ "\nLayer                Lots  Type            First number")
  (foreach row rows
    (princ (strcat "\n" (lots-pad (car row) 21) (lots-pad (cadr row) 6)
                   (lots-pad (caddr row) 16) (nth 3 row))))
  (princ))

(defun lots-numbered (numbered / total)
  (setq total 0)
  (foreach row numbered (setq total (+ total (cadr row))))
  (princ (strcat "\nNumbered " (itoa total) " lots:"))
  (foreach row numbered
    (princ (strcat "\n  " (lots-pad (car row) 21) (lots-pad (itoa (cadr row)) 5)
                   (if (> (cadr row) 0)
                     (strcat "numbers " (itoa (caddr row)) " to " (itoa (nth 3 row)))
                     "no lots"))))
  (princ))

;; After OK: the table kept, the lots numbered, both reported.
(defun lots-apply (answer layers / rows)
  (cond
    ((null answer) (princ "\nLot numbering cancelled."))
    ((listp answer)
     (setq rows (lots-rows answer))
     (lots-keep-rows rows)
     (lots-report rows)
     (lots-numbered (lots-number rows layers))))
  (princ))

(defun c:lots (/ layers)
  (setq layers (lots-layers))
  (lots-apply (lotdialog layers (lots-types) (mapcar 'lots-count layers) (lots-saved-rows))
              layers))

(defun c:lotsagain ()
  (lots-apply (lotdialog) (lots-layers)))

(defun c:lotsdemo (/ layers counts answer)
  (setq layers (lots-layers) counts (mapcar 'lots-count layers))
  (if (< (length layers) 3)
    (princ "\nLOTSDEMO needs a drawing with three lot layers (LOT-*).")
    (progn
      (setq answer
        (lotdialog layers (lots-types) counts
                   (list (list (nth 0 layers) (nth 0 counts) "Detached" "1")
                         (list (nth 1 layers) (nth 1 counts) "" (itoa (1+ (atoi (nth 0 counts)))))
                         (list (nth 2 layers) (nth 2 counts) "Terraced"
                               (itoa (+ 5 (atoi (nth 0 counts)) (atoi (nth 1 counts))))))))
      (if (and answer (listp answer)) (lots-report (lots-rows answer)))))
  (princ))

(princ)
